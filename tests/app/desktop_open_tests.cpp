// Pictures handed over by the desktop: named on the command line, or dragged onto the window.
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <vector>

#include "app/command_line.h"
#include "app/file_drop.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

struct Arguments {
    std::vector<const char*> argv;
    QStringList files;  // relative ones are taken from the working folder
};

// Files are read as given, relative ones from the working folder; Qt's own options and their
// values are left to Qt.
TEST(CommandLine, NamesTheFilesAndLeavesQtsOptionsToQt) {
    const Arguments cases[] = {
        {{"kreslix"}, {}},
        {{"kreslix", "a.bmp"}, {"a.bmp"}},
        {{"kreslix", "/p/a.bmp", "b.jpg"}, {"/p/a.bmp", "b.jpg"}},
        {{"kreslix", "-platform", "xcb", "-style=Fusion", "-reverse", "--display", ":1", "a.bmp"},
         {"a.bmp"}},
        {{"kreslix", "--", "-a.bmp"}, {"-a.bmp"}},
        {{"kreslix", "file:///p/two%20words.bmp"}, {"/p/two words.bmp"}},
    };
    for (const Arguments& c : cases) {
        std::vector<char*> argv;
        for (const char* argument : c.argv)
            argv.push_back(const_cast<char*>(argument));
        const CommandLine read = readCommandLine(int(argv.size()), argv.data());
        QStringList expected;
        for (const QString& file : c.files)
            expected << QDir::current().absoluteFilePath(file);
        EXPECT_FALSE(read.exitCode) << c.argv.back();
        EXPECT_EQ(read.files, expected) << c.argv.back();
    }
}

struct Dragged {
    QStringList urls;
    const char* file;  // nullptr when the drag is refused
};

TEST(DraggedPictureFile, IsOneLocalBmpOrJpegFile) {
    const Dragged cases[] = {
        {{"file:///p/a.bmp"}, "/p/a.bmp"},
        {{"file:///p/A.JPG"}, "/p/A.JPG"},
        {{"file:///p/a.jpeg"}, "/p/a.jpeg"},
        {{"file:///p/a.png"}, nullptr},
        {{"file:///p/abmp"}, nullptr},
        {{"file:///p/a.bmp", "file:///p/b.bmp"}, nullptr},
        {{"https://example.org/a.bmp"}, nullptr},
        {{}, nullptr},
    };
    for (const Dragged& c : cases) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& url : c.urls)
            urls << QUrl(url);
        data.setUrls(urls);
        const std::optional<QString> file = draggedPictureFile(data);
        EXPECT_EQ(file.value_or(QStringLiteral("refused")),
                  c.file ? QString::fromUtf8(c.file) : QStringLiteral("refused"))
            << c.urls.join(u' ').toStdString();
    }
}

// The file is only ever copied: a drag that offers no copy is refused, and a move proposed by
// the dragging program becomes a copy, so it never deletes the file afterwards.
TEST(AcceptPictureDrop, TakesTheFileAsACopyOnly) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/p/a.bmp"))});
    QDropEvent moveOnly({1, 1}, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    EXPECT_FALSE(acceptPictureDrop(moveOnly));
    EXPECT_FALSE(moveOnly.isAccepted());

    QDropEvent moveProposed({1, 1}, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                            Qt::ShiftModifier);
    moveProposed.setDropAction(Qt::MoveAction);
    EXPECT_EQ(acceptPictureDrop(moveProposed), QStringLiteral("/p/a.bmp"));
    EXPECT_TRUE(moveProposed.isAccepted());
    EXPECT_EQ(moveProposed.dropAction(), Qt::CopyAction);
}

using StartFilesTest = WindowTest;

TEST_F(StartFilesTest, TheFirstOpensKeepingPenAndBrushAndTheOthersAreNamed) {
    QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("first.bmp"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KRESLIX_TESTDATA_DIR "/bmpsuite/g/rgb24.bmp"), first));
    window->document().canvas().pen().setColour(0x00336699);
    window->document().canvas().pen().setWidth(7);

    window->openStartFiles(
        {first, folder.filePath(QStringLiteral("b.bmp")), QStringLiteral("/elsewhere/c.jpg")});

    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kreslix (32bit) - first.bmp"));
    EXPECT_EQ(window->document().image().size(), QSize(127, 64));
    EXPECT_EQ(window->document().canvas().pen().colour(), 0x00336699u);
    EXPECT_EQ(window->document().canvas().pen().width(), 7);
    EXPECT_EQ(prompts.errors,
              QStringList{QStringLiteral("Kreslix otvára naraz len jeden obrázok. Neotvorené "
                                         "zostali: „b.bmp“, „c.jpg“.")});
}

}  // namespace
}  // namespace kreslix::testing
