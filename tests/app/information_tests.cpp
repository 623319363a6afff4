#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "tests/support/window_fixture.h"

namespace kreslix {

// Readable properties in failure messages.
inline void PrintTo(const PictureProperties& p, std::ostream* out) {
    *out << p.name.toStdString() << " | " << p.widthText.toStdString() << " | "
         << p.heightText.toStdString();
}

namespace testing {
namespace {

class InformationTest : public WindowTest {
protected:
    // The properties dialog's texts for the picture as it is now.
    PictureProperties properties() {
        prompts.shownProperties.reset();
        choose("Vlastnosti1");
        return prompts.shownProperties.value_or(PictureProperties{"not shown", "", ""});
    }
    static PictureProperties shown(const char* name, int width, int height) {
        return {QString::fromUtf8(name), QStringLiteral("%1 pixelov.").arg(width),
                QStringLiteral("%1 pixelov.").arg(height)};
    }
};

// The dialog names the file last chosen with Open, not the document's own file, for as long as
// that file exists, and always gives the picture's current size.
TEST_F(InformationTest, PropertiesFollowTheOpenedFileAndThePicture) {
    EXPECT_TRUE(action("Vlastnosti1")->isEnabled());
    EXPECT_EQ(properties(), shown("Bez názvu", 488, 297));

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString kvet = folder.filePath(QStringLiteral("kvet.bmp"));
    QImage wide(1024, 3, QImage::Format_RGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(kvet, "BMP"));
    prompts.openFileAnswers.push_back(kvet);
    choose("Open1");
    ASSERT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join(u'\n').toStdString();
    EXPECT_EQ(properties(), shown("kvet.bmp", 1024, 3));

    prompts.newPictureAnswers.push_back(NewPictureAnswer{"300", "200", kWhite});
    choose("New1");
    EXPECT_EQ(properties(), shown("kvet.bmp", 300, 200));

    prompts.saveFileAnswers.push_back(folder.filePath(QStringLiteral("ine.bmp")));
    choose("Saveas1");
    ASSERT_EQ(window->document().fileName(), folder.filePath(QStringLiteral("ine.bmp")));
    EXPECT_EQ(properties(), shown("kvet.bmp", 300, 200));

    prompts.openFileAnswers.push_back(std::nullopt);
    choose("Open1");
    EXPECT_EQ(properties(), shown("kvet.bmp", 300, 200));

    // Deleted outside the program: the name is no longer shown.
    ASSERT_TRUE(QFile::remove(kvet));
    EXPECT_EQ(properties(), shown("Bez názvu", 300, 200));
    EXPECT_TRUE(prompts.errors.isEmpty());
}

// The About box shows the installed total as the kernel reports it, whatever its size.
TEST_F(InformationTest, AboutShowsTheInstalledMemory) {
    EXPECT_TRUE(action("AboutItem")->isEnabled());
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    ASSERT_TRUE(meminfo.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch total =
        QRegularExpression(QStringLiteral("^MemTotal:\\s+(\\d+) kB$"),
                           QRegularExpression::MultilineOption)
            .match(QString::fromLatin1(meminfo.readAll()));
    ASSERT_TRUE(total.hasMatch());

    for (int showing = 0; showing < 2; ++showing) {
        prompts.shownMemoryFigure.clear();
        choose("AboutItem");
        const QString figure = prompts.shownMemoryFigure;
        ASSERT_TRUE(figure.endsWith(QStringLiteral(" kB"))) << figure.toStdString();
        QString digits = figure.chopped(3);
        digits.remove(QLocale::system().groupSeparator());
        EXPECT_EQ(digits, total.captured(1)) << figure.toStdString();
    }
    EXPECT_EQ(prompts.log.count(QStringLiteral("about:") + prompts.shownMemoryFigure), 2);
}

}  // namespace
}  // namespace testing
}  // namespace kreslix
