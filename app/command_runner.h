#pragma once

#include <functional>

#include "common/prompts.h"

namespace kreslix {

// Every handler runs through here. A failure stops the handler where it happened, what it did
// before stays done, and the error box shows the message; a silent abort shows nothing. No
// exception ever leaves run(), so none crosses a Qt frame.
class CommandRunner {
public:
    explicit CommandRunner(Prompts& prompts) : prompts_(prompts) {}

    void run(const std::function<void()>& handler) const;

private:
    Prompts& prompts_;
};

}  // namespace kreslix
