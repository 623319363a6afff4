#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <cstdlib>

namespace {

const QString kTitle = QStringLiteral("Kreslix (32bit) - bez názvu");

struct Found {
    bool ok = false;
    QString id;
    QRect geometry;
};

// Runs the X helper and gives its standard output; the test fails when the helper does.
QString runTool(const QStringList& arguments, bool* ok = nullptr) {
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
    if (!ok || fields.size() != 5)
        return {};
    return {true, fields[0],
            QRect(fields[1].toInt(), fields[2].toInt(), fields[3].toInt(), fields[4].toInt())};
}

// The length of the run of pure white pixels through (x, y), along a row or a column.
int whiteRun(const QImage& image, QPoint at, bool alongRow) {
    auto white = [&](int x, int y) {
        return image.rect().contains(x, y) && (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    };
    if (!white(at.x(), at.y()))
        return 0;
    const QPoint step = alongRow ? QPoint(1, 0) : QPoint(0, 1);
    QPoint first = at, last = at;
    while (white(first.x() - step.x(), first.y() - step.y()))
        first -= step;
    while (white(last.x() + step.x(), last.y() + step.y()))
        last += step;
    return alongRow ? last.x() - first.x() + 1 : last.y() - first.y() + 1;
}

// Whether the window shows a white area of exactly the start picture's size, 488 × 297.
bool showsStartPicture(const QImage& window) {
    for (int y = 0; y < window.height(); y += 4) {
        for (int x = 0; x < window.width(); x += 8) {
            if (whiteRun(window, {x, y}, true) == 488 && whiteRun(window, {x, y}, false) == 297) {
                return true;
            }
        }
    }
    return false;
}

class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "DISPLAY is not set";
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        // In a sanitizer build, leaks of the system libraries are not the program's.
        environment.insert(QStringLiteral("LSAN_OPTIONS"),
                           QStringLiteral("suppressions=" KRESLIX_E2E_SOURCE_DIR "/lsan.supp"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(KRESLIX_PROGRAM), {});
        ASSERT_TRUE(program.waitForStarted(10000));
    }
    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
    }

    QProcess program;
};

TEST_F(ProgramWindow, OpensWithTheWhitePictureAndClosesThroughTheWindowManagerProtocol) {
    const Found main = findWindow(kTitle, 15000);
    ASSERT_TRUE(main.ok) << "no window titled " << kTitle.toStdString();
    EXPECT_GE(main.geometry.width(), 628);
    EXPECT_GE(main.geometry.height(), 456);

    const QString shotPath = QStringLiteral(KRESLIX_E2E_OUTPUT_DIR "/kreslix_start.ppm");
    bool shown = false;
    QImage screen;
    for (int attempt = 0; attempt < 50 && !shown; ++attempt) {
        if (attempt > 0)
            QThread::msleep(100);
        runTool({"shot", shotPath});
        screen = QImage(shotPath);
        ASSERT_FALSE(screen.isNull()) << "unreadable screenshot " << shotPath.toStdString();
        shown = showsStartPicture(screen.copy(main.geometry));
    }
    EXPECT_TRUE(shown) << "no white 488 x 297 picture in " << shotPath.toStdString();

    runTool({"close", main.id});
    // Closing always asks whether to save; "Nie" lets the program end.
    const Found prompt = findWindow(QStringLiteral("Kreslix"), 10000);
    ASSERT_TRUE(prompt.ok) << "the save-changes prompt did not show";
    runTool({"key", prompt.id, "n", "alt"});
    ASSERT_TRUE(program.waitForFinished(10000)) << "the program did not end after closing";
    EXPECT_EQ(program.readAllStandardError().count("ERROR"), 0) << "the program reported errors";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

// A screenshot of the whole screen, kept beside the test as a PNG to look at.
QImage screenshot(const char* name) {
    const QString ppm = QStringLiteral(KRESLIX_E2E_OUTPUT_DIR "/") + QLatin1String(name) + ".ppm";
    runTool({"shot", ppm});
    QImage screen(ppm);
    screen.save(QStringLiteral(KRESLIX_E2E_OUTPUT_DIR "/") + QLatin1String(name) + ".png");
    return screen;
}

bool closes(const QString& title) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (!findWindow(title, 0).ok)
            return true;
        QThread::msleep(50);
    }
    return false;
}

// How many pixels of the drawn icon differ on the screen with its top-left corner at `at`.
int iconDifferences(const QImage& screen, QPoint at) {
    const QImage drawn =
        QImage(QStringLiteral(KRESLIX_E2E_SOURCE_DIR "/../../data/icons/kreslix-32.png"))
            .convertToFormat(QImage::Format_ARGB32);
    if (drawn.size() != QSize(32, 32))
        return -1;
    int differences = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb want = drawn.pixel(x, y);
            if (qAlpha(want) == 255 &&
                (screen.pixel(at + QPoint(x, y)) & 0xFFFFFF) != (want & 0xFFFFFF)) {
                ++differences;
            }
        }
    }
    return differences;
}

int pixelsOf(const QImage& image, QRect area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == colour;
    }
    return count;
}

// The About box opens from the Help menu centred on the screen, with the heavy title and the
// icon; its arrows change the contact line and "O.K." closes it. The properties dialog opens
// from the File menu at its own place and closes with "OK".
TEST_F(ProgramWindow, AboutBoxAndPropertiesOpenFromTheMenusAndCloseThroughTheirButtons) {
    const Found main = findWindow(kTitle, 15000);
    ASSERT_TRUE(main.ok) << "no window titled " << kTitle.toStdString();
    QImage screen;
    for (int attempt = 0; attempt < 50; ++attempt) {
        screen = screenshot("kreslix_menus");
        if (showsStartPicture(screen.copy(main.geometry)))
            break;
        QThread::msleep(100);
    }

    // Without a window manager a window is activated only by a click; an empty spot of the
    // button bar takes one harmlessly, and then the menu shortcuts reach the menu bar.
    runTool({"click", main.id, "600", "33"});
    runTool({"key", main.id, "p", "alt"});
    runTool({"key", main.id, "Return"});
    const QString aboutTitle = QStringLiteral("O programe....");
    const Found about = findWindow(aboutTitle, 10000);
    ASSERT_TRUE(about.ok) << "the About box did not show";
    const QPoint box = about.geometry.topLeft();
    EXPECT_EQ(about.geometry.size(), QSize(362, 234));
    EXPECT_EQ(box, QPoint((screen.width() - 362) / 2, (screen.height() - 234) / 2));

    bool painted = false;
    for (int attempt = 0; attempt < 50 && !painted; ++attempt) {
        QThread::msleep(100);
        screen = screenshot("kreslix_about");
        painted = iconDifferences(screen, box + QPoint(312, 144)) == 0;
    }
    EXPECT_TRUE(painted) << "the icon is not shown as drawn";
    EXPECT_GT(pixelsOf(screen, QRect(box + QPoint(32, 16), QSize(200, 40)), 0x000080), 100)
        << "no navy title";
    EXPECT_GT(pixelsOf(screen, QRect(box + QPoint(240, 16), QSize(110, 40)), 0x000000), 100)
        << "no black 2000";

    const QRect contact(box + QPoint(32, 160), QSize(238, 14));
    const QImage firstLine = screen.copy(contact);
    runTool({"click", about.id, "295", "167"});
    bool changed = false;
    for (int attempt = 0; attempt < 50 && !changed; ++attempt) {
        QThread::msleep(50);
        changed = screenshot("kreslix_about_right").copy(contact) != firstLine;
    }
    EXPECT_TRUE(changed) << "the right arrow did not change the contact line";

    runTool({"click", about.id, "286", "206"});
    EXPECT_TRUE(closes(aboutTitle)) << "O.K. did not close the About box";

    runTool({"click", main.id, "600", "33"});
    runTool({"key", main.id, "s", "alt"});
    runTool({"key", main.id, "v"});
    const QString propertiesTitle = QStringLiteral("Vlastnosti");
    const Found properties = findWindow(propertiesTitle, 10000);
    ASSERT_TRUE(properties.ok) << "the properties dialog did not show";
    EXPECT_EQ(properties.geometry, QRect(216, 150, 298, 174));
    QThread::msleep(300);
    screenshot("kreslix_properties");
    runTool({"click", properties.id, "149", "156"});
    EXPECT_TRUE(closes(propertiesTitle)) << "OK did not close the properties dialog";

    runTool({"close", main.id});
    const Found prompt = findWindow(QStringLiteral("Kreslix"), 10000);
    ASSERT_TRUE(prompt.ok) << "the save-changes prompt did not show";
    runTool({"key", prompt.id, "n", "alt"});
    ASSERT_TRUE(program.waitForFinished(10000)) << "the program did not end after closing";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
