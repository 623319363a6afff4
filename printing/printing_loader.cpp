#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include "common/error.h"
#include "printing/printing_commands.h"

namespace kreslix {
namespace {

// The commands in use: those linked in, or the loaded module's once it is loaded.
const PrintingCommands* commands = nullptr;

// The module's places, in the order they are tried: beside the program, as in a build tree,
// and where the installation puts it relative to the program.
QStringList modulePaths() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir + QStringLiteral("/" KRESLIX_PRINTING_MODULE_NAME),
            programDir + QStringLiteral("/" KRESLIX_PRINTING_MODULE_FROM_PROGRAM)};
}

}  // namespace

void setLinkedPrintingCommands(const PrintingCommands* linkedIn) {
    commands = linkedIn;
}

const PrintingCommands& printingCommands() {
    if (commands)
        return *commands;
    QString failure;
    for (const QString& path : modulePaths()) {
        if (!QFileInfo::exists(path))
            continue;
        // Kept loaded for the run: the current printer lives in the module.
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        using Entry = const PrintingCommands* (*)();
        if (auto entry = reinterpret_cast<Entry>(module.resolve("kreslix_printing_commands"))) {
            commands = entry();
            return *commands;
        }
        failure = module.errorString();
    }
    if (failure.isEmpty())
        failure = QStringLiteral("%1 not found").arg(QStringLiteral(KRESLIX_PRINTING_MODULE_NAME));
    throw KreslixError(QStringLiteral("Printing is not available: %1").arg(failure));
}

}  // namespace kreslix
