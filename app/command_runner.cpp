#include "app/command_runner.h"

#include <new>

#include "app/error_text.h"
#include "common/error.h"

namespace kreslix {

void CommandRunner::run(const std::function<void()>& handler) const {
    try {
        handler();
    } catch (const SilentAbort&) {
    } catch (const KreslixError& e) {
        prompts_.showError(errorBoxText(e.message()));
    } catch (const std::bad_alloc&) {
        prompts_.showError(errorBoxText(QStringLiteral("Out of memory")));
    } catch (const std::exception& e) {
        prompts_.showError(errorBoxText(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        prompts_.showError(errorBoxText(QStringLiteral("Unknown failure")));
    }
}

}  // namespace kreslix
