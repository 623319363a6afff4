#include "x_window.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <iostream>

namespace kreslix::e2e {

QString runTool(const QStringList& arguments, bool* ok) {
    QProcess tool;
    tool.start(QStringLiteral(KRESLIX_X_WINDOW_TOOL), arguments);
    const bool finished = tool.waitForFinished(30000);
    const bool success =
        finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    if (ok) {
        *ok = success;
    } else {
        EXPECT_TRUE(success) << arguments.join(u' ').toStdString() << ": "
                             << tool.readAllStandardError().toStdString();
    }
    return QString::fromUtf8(tool.readAllStandardOutput());
}

Found findWindow(const QString& title, int timeoutMs) {
    bool ok = false;
    const QStringList fields =
        runTool({"find", title, QString::number(timeoutMs)}, &ok).split(u' ', Qt::SkipEmptyParts);
    if (!ok || fields.size() != 5) {
        std::cerr << "no window titled " << title.toStdString() << " within " << timeoutMs
                  << " ms\n";
        return {};
    }
    return {true, fields[0],
            QRect(fields[1].toInt(), fields[2].toInt(), fields[3].toInt(), fields[4].toInt())};
}

QProcessEnvironment programEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("suppressions=" KRESLIX_E2E_SOURCE_DIR "/lsan.supp"));
    return environment;
}

}  // namespace kreslix::e2e
