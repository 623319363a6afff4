#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "dialogs/about.h"
#include "tests/dialogs/modal_driver.h"

namespace kreslix::testing {
namespace {

QString left(int line) {
    return QString::fromUtf8(TAboutBox::kLeftLines[line - 1]);
}
QString right(int line) {
    return QString::fromUtf8(TAboutBox::kRightLines[line - 1]);
}

class AboutBoxTest : public ::testing::Test {
protected:
    template <typename T = QWidget>
    T* child(const char* name) const {
        T* found = box.findChild<T*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no child named " << name;
        return found;
    }
    QString label(const char* name) const {
        const auto* found = child<QLabel>(name);
        return found ? found->text() : QString();
    }

    TAboutBox box;
};

TEST_F(AboutBoxTest, LaysOutItsControlsAsDesigned) {
    // Laid out as it is shown: the texts are fitted when the dialog is first shown.
    box.show();
    EXPECT_EQ(box.objectName(), QStringLiteral("AboutBox"));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("O programe...."));
    EXPECT_EQ(box.size(), QSize(362, 234));
    EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowSystemMenuHint);

    const std::pair<const char*, QPoint> places[] = {
        {"Label1", {32, 16}},  {"Label2", {240, 16}}, {"Label3", {238, 56}},
        {"Label4", {40, 88}},  {"Label5", {40, 104}}, {"Label6", {40, 120}},
        {"Label8", {40, 136}}, {"Label7", {24, 208}}, {"DostupnaPamat", {163, 208}},
        {"copyr", {8, 8}}};
    for (const auto& [name, at] : places) {
        if (const auto* found = child<QLabel>(name)) {
            EXPECT_EQ(found->pos(), at) << name;
        }
    }
    EXPECT_EQ(label("Label1"), QStringLiteral("Kreslix"));
    EXPECT_EQ(label("Label2"), QStringLiteral("2000"));
    EXPECT_EQ(label("Label3"), QStringLiteral("for Windows 95/98"));
    EXPECT_EQ(label("Label7"), QStringLiteral("Dostupná operačná pamäť:"));
    EXPECT_TRUE(label("DostupnaPamat").isEmpty());
    for (const char* line : {"Label4", "Label5", "Label6", "Label8"})
        EXPECT_FALSE(label(line).isEmpty()) << line;

    const std::pair<const char*, QRect> frames[] = {
        {"Image1", {312, 144, 33, 33}},     {"GroupBox1", {24, 152, 281, 25}},
        {"SpeedButton4", {248, 8, 15, 14}}, {"SpeedButton5", {264, 8, 14, 14}},
        {"Panel2", {232, 192, 113, 33}},    {"SpeedButton1", {2, 2, 104, 25}}};
    for (const auto& [name, geometry] : frames) {
        if (const QWidget* found = child(name)) {
            EXPECT_EQ(found->geometry(), geometry) << name;
        }
    }
    EXPECT_EQ(child("copyr")->parentWidget(), child("GroupBox1"));
    EXPECT_EQ(child("SpeedButton1")->parentWidget(), child("Panel2"));
    EXPECT_TRUE(child<QGroupBox>("GroupBox1")->title().isEmpty());
    EXPECT_EQ(child<QToolButton>("SpeedButton1")->text(), QStringLiteral("O.K."));
    for (const char* name : {"SpeedButton1", "SpeedButton4", "SpeedButton5"}) {
        EXPECT_TRUE(child<QToolButton>(name)->autoRaise()) << name;
        EXPECT_EQ(child<QToolButton>(name)->focusPolicy(), Qt::TabFocus) << name;
    }
    EXPECT_TRUE(box.findChildren<QPushButton*>().isEmpty()) << "no default or cancel button";

    // The heavy title at its character heights, which are the fonts' pixel (em) sizes.
    for (const auto& [name, height] : {std::pair{"Label1", 29}, std::pair{"Label2", 35}}) {
        const QFontInfo used(child<QLabel>(name)->font());
        EXPECT_EQ(used.pixelSize(), height) << name;
        EXPECT_GE(used.weight(), QFont::Bold) << name;
    }
}

struct Step {
    const char* button;  // "<", ">" or "" (the About command)
    int number;
    QString line;
};

// Runs the steps on a fresh box: each click or About command, then the number and line shown.
void runSteps(TAboutBox& box, const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        const std::string button = step.button;
        if (button == "<") {
            QTest::mouseClick(box.findChild<QToolButton*>("SpeedButton4"), Qt::LeftButton);
        } else if (button == ">") {
            QTest::mouseClick(box.findChild<QToolButton*>("SpeedButton5"), Qt::LeftButton);
        } else {
            box.prepare(QStringLiteral("1 kB"));
        }
        EXPECT_EQ(box.CisloRiadku, step.number) << "step " << i << " " << button;
        EXPECT_EQ(box.copyr()->text(), step.line) << "step " << i << " " << button;
    }
}

TEST(AboutBoxArrows, RightStopsAtFourThenLeftStepsDownToOne) {
    TAboutBox box;
    runSteps(box, {{"", 1, right(1)},
                   {">", 2, right(2)},
                   {">", 3, right(3)},
                   {">", 4, right(4)},
                   {">", 4, right(4)},
                   {"<", 3, left(3)},
                   {"<", 2, left(2)},
                   {"<", 1, left(1)},
                   {"<", 1, left(1)}});
}

TEST(AboutBoxArrows, LeftFirstStaysOnOneAndShowsTheLeftLine) {
    TAboutBox box;
    runSteps(box, {{"", 1, right(1)}, {"<", 1, left(1)}, {">", 2, right(2)}});
}

// A new About command starts again at 1 and keeps the line shown when the box was left.
TEST(AboutBoxArrows, AboutCommandResetsTheNumberOnly) {
    TAboutBox box;
    runSteps(box, {{">", 2, right(2)}, {">", 3, right(3)}, {"", 1, right(3)}, {">", 2, right(2)}});
}

// "O.K." closes the box with line 1 of the left set; the next showing opens on it, and its
// first right-arrow click shows line 2 of the right set.
TEST(AboutBoxShowing, OkResetsToTheLeftSetsFirstLine) {
    TAboutBox box;
    box.prepare(QStringLiteral("65,536 kB"));
    actOnModal([](QDialog& d) {
        auto* about = static_cast<TAboutBox*>(&d);
        EXPECT_EQ(about->copyr()->text(), right(1));
        EXPECT_EQ(about->DostupnaPamat()->text(), QStringLiteral("65,536 kB"));
        QTest::mouseClick(d.findChild<QToolButton*>("SpeedButton5"), Qt::LeftButton);
        QTest::mouseClick(d.findChild<QToolButton*>("SpeedButton5"), Qt::LeftButton);
        EXPECT_EQ(about->copyr()->text(), right(3));
        QTest::mouseClick(d.findChild<QToolButton*>("SpeedButton1"), Qt::LeftButton);
    });
    box.exec();
    EXPECT_EQ(box.copyr()->text(), left(1));
    EXPECT_EQ(box.CisloRiadku, 1);

    box.prepare(QStringLiteral("65,536 kB"));
    actOnModal([](QDialog& d) {
        auto* about = static_cast<TAboutBox*>(&d);
        EXPECT_EQ(about->copyr()->text(), left(1));
        QTest::mouseClick(d.findChild<QToolButton*>("SpeedButton5"), Qt::LeftButton);
        EXPECT_EQ(about->copyr()->text(), right(2));
        QTest::mouseClick(d.findChild<QToolButton*>("SpeedButton1"), Qt::LeftButton);
    });
    box.exec();
}

// Every contact line fits beside the arrows, the notice above the icon, and the memory caption
// and a large figure between their neighbours.
TEST(AboutBoxShowing, TextsFitTheirPlaces) {
    TAboutBox box;
    box.show();
    for (int line = 1; line <= 4; ++line) {
        for (const QString& text : {left(line), right(line)}) {
            EXPECT_LE(8 + box.copyr()->fontMetrics().horizontalAdvance(text), 248)
                << text.toStdString();
        }
    }
    for (const char* name : {"Label4", "Label5", "Label6", "Label8"}) {
        const QLabel* line = box.findChild<QLabel*>(QLatin1String(name));
        EXPECT_LE(line->geometry().right(), 362) << name;
    }
    // The last line passes above the icon's left edge.
    EXPECT_LT(box.findChild<QLabel*>(QStringLiteral("Label8"))->geometry().right(), 312);
    const QLabel* caption = box.findChild<QLabel*>(QStringLiteral("Label7"));
    EXPECT_LT(caption->geometry().right(), 163);
    for (const char* figure : {"24,683,772 kB", "999,999,999 kB"}) {
        box.prepare(QLatin1String(figure));
        EXPECT_EQ(box.DostupnaPamat()->text(), QLatin1String(figure));
        EXPECT_EQ(box.DostupnaPamat()->x(), 163);
        EXPECT_LT(box.DostupnaPamat()->geometry().right(), 232) << figure;
    }
}

}  // namespace
}  // namespace kreslix::testing
