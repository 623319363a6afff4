#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kreslix {

// What the program was started with.
struct CommandLine {
    // The picture files named, as absolute paths, in the order given.
    QStringList files;
    // Set when the program ends at once: 0 after --help or --version, 2 after a wrong option.
    std::optional<int> exitCode;
};

// Reads the arguments before any window system is touched, so that --help and --version need
// no display: both print to standard output; a wrong option prints the usage to standard error.
// Qt's own options (-platform, -style, ...) pass unread, for QApplication to take.
CommandLine readCommandLine(int argc, char* argv[]);

// The message naming the files given after the first; one picture is open at a time.
QString filesNotOpenedMessage(const QStringList& files);

}  // namespace kreslix
