#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include "common/error.h"
#include "printing/printing_commands.h"

namespace kreslix {
namespace {

const PrintingCommands* linked = nullptr;
const PrintingCommands* loaded = nullptr;

// The module's places, in the order they are tried: beside the program, as in a build tree,
// and where the installation puts it relative to the program.
QStringList modulePaths() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir + QStringLiteral("/" KRESLIX_PRINTING_MODULE_NAME),
            programDir + QStringLiteral("/" KRESLIX_PRINTING_MODULE_FROM_PROGRAM)};
}

}  // namespace

void setLinkedPrintingCommands(const PrintingCommands* commands) {
    linked = commands;
}

const PrintingCommands& printingCommands() {
    if (linked)
        return *linked;
    if (loaded)
        return *loaded;
    QString failure;
    for (const QString& path : modulePaths()) {
        if (!QLibrary::isLibrary(path) || !QFileInfo::exists(path))
            continue;
        // Kept loaded for the run: the current printer lives in the module.
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        using Entry = const PrintingCommands* (*)();
        if (auto entry = reinterpret_cast<Entry>(module.resolve("kreslix_printing_commands"))) {
            loaded = entry();
            return *loaded;
        }
        failure = module.errorString();
    }
    if (failure.isEmpty())
        failure = QStringLiteral("%1 not found").arg(QStringLiteral(KRESLIX_PRINTING_MODULE_NAME));
    throw KreslixError(QStringLiteral("Printing is not available: %1").arg(failure));
}

}  // namespace kreslix
