#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>
#include <cstdio>

namespace kreslix {
namespace {

// The options that Qt itself reads from the same arguments (QGuiApplication, its X11 platform
// and QApplication); a value follows those in the first list.
const char* const kQtOptionsWithValue[] = {"platform",      "platformpluginpath",
                                           "platformtheme", "plugin",
                                           "qmljsdebugger", "qwindowgeometry",
                                           "qwindowicon",   "qwindowtitle",
                                           "session",       "display",
                                           "geometry",      "icon",
                                           "name",          "title",
                                           "visual",        "style",
                                           "stylesheet"};
const char* const kQtFlags[] = {"reverse", "testability", "widgetcount",
                                "nograb",  "dograb",      "sync"};

void describe(QCommandLineParser& parser) {
    // Qt's options are single-dash words (-platform xcb), so ours are read the same way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Kreslix, a small raster paint program. Opens FILE, a BMP or JPEG picture, if given."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The BMP or JPEG picture to open."),
                                 QStringLiteral("[FILE]"));
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option{QString::fromLatin1(name)};
        option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlags) {
        QCommandLineOption option{QString::fromLatin1(name)};
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QString absolutePath(const QString& argument) {
    if (argument.startsWith(QLatin1String("file:"))) {
        const QUrl url(argument);
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return argument.isEmpty() ? argument : QFileInfo(argument).absoluteFilePath();
}

}  // namespace

CommandLine readCommandLine(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("kreslix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KRESLIX_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    describe(parser);
    const bool parsed = parser.parse(arguments);
    if (parsed && !parser.isSet(QStringLiteral("help")) &&
        !parser.isSet(QStringLiteral("help-all")) && !parser.isSet(QStringLiteral("version"))) {
        CommandLine result;
        for (const QString& argument : parser.positionalArguments())
            result.files << absolutePath(argument);
        return result;
    }

    // The usage names the program as it was started, which Qt takes from a core application;
    // that needs no display.
    QCoreApplication core(argc, argv);
    if (!parsed) {
        print(stderr, parser.errorText() + QStringLiteral("\n\n") + parser.helpText());
        return {{}, 2};
    }
    if (parser.isSet(QStringLiteral("version"))) {
        print(stdout, QStringLiteral("kreslix %1\n").arg(QCoreApplication::applicationVersion()));
    } else if (parser.isSet(QStringLiteral("help"))) {
        print(stdout, parser.helpText());
    } else {
        parser.process(core);  // --help-all: Qt's options too; Qt prints them and exits
    }
    return {{}, 0};
}

QString filesNotOpenedMessage(const QStringList& files) {
    QStringList names;
    for (const QString& file : files)
        names << QStringLiteral("„%1“").arg(QFileInfo(file).fileName());
    return QStringLiteral("Kreslix otvára naraz len jeden obrázok. Neotvorené zostali: %1")
        .arg(names.join(QStringLiteral(", ")));
}

}  // namespace kreslix
