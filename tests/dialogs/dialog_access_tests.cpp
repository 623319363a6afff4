#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "common/modal_result.h"
#include "dialogs/OkUloz.h"
#include "dialogs/about.h"
#include "dialogs/existuje.h"
#include "dialogs/novyd.h"
#include "dialogs/readable_colour.h"
#include "dialogs/spin_edit.h"
#include "dialogs/vlast.h"
#include "dialogs/zmz.h"
#include "tests/dialogs/modal_driver.h"

namespace kreslix::testing {
namespace {

// Every dialog of the program as the commands show it.
std::vector<std::unique_ptr<QDialog>> allDialogs() {
    std::vector<std::unique_ptr<QDialog>> dialogs;
    auto about = std::make_unique<TAboutBox>();
    about->prepare(QStringLiteral("16,384,000 kB"));
    dialogs.push_back(std::move(about));
    auto newPicture = std::make_unique<TNewBMPForm>();
    newPicture->WidthEdit()->setText(QStringLiteral("488"));
    newPicture->HeightEdit()->setText(QStringLiteral("488"));
    dialogs.push_back(std::move(newPicture));
    dialogs.push_back(std::make_unique<TOknoUloz>());
    dialogs.push_back(std::make_unique<Texistu>());
    dialogs.push_back(std::make_unique<TOknoZmaz>());
    auto properties = std::make_unique<Tvlastnosti>();
    // Equal numbers, and a file named like the button.
    properties->fill(
        {QStringLiteral("OK"), QStringLiteral("297 pixelov."), QStringLiteral("297 pixelov.")});
    dialogs.push_back(std::move(properties));
    return dialogs;
}

void collect(QAccessibleInterface* parent, std::vector<QAccessibleInterface*>& found) {
    for (int i = 0; i < parent->childCount(); ++i) {
        found.push_back(parent->child(i));
        collect(parent->child(i), found);
    }
}

// What a screen reader finds in each dialog: every control and text named, no two alike, and
// the ones named below with their role and name.
TEST(DialogAccess, EveryControlHasItsOwnNameAndRole) {
    const QSet<QAccessible::Role> named = {QAccessible::Button,     QAccessible::CheckBox,
                                           QAccessible::SpinBox,    QAccessible::StaticText,
                                           QAccessible::Graphic,    QAccessible::EditableText,
                                           QAccessible::RadioButton};
    const std::map<QString, std::pair<QAccessible::Role, QString>> expected = {
        {"AboutBox/SpeedButton4", {QAccessible::Button, "Predchádzajúci riadok kontaktu"}},
        {"AboutBox/SpeedButton5", {QAccessible::Button, "Ďalší riadok kontaktu"}},
        {"AboutBox/SpeedButton1", {QAccessible::Button, "O.K."}},
        {"NewBMPForm/WidthEdit", {QAccessible::SpinBox, "Šírka plátna"}},
        {"NewBMPForm/HeightEdit", {QAccessible::SpinBox, "Výška plátna"}},
        {"NewBMPForm/SpeedButton1", {QAccessible::Button, "Farba pozadia..."}},
        {"OknoUloz/zrusit", {QAccessible::Button, "Zrušiť"}},
        {"OknoZmaz/ZmazFarbou", {QAccessible::CheckBox, "Zmazať nastavenou farbou popredia"}},
        {"vlastnosti/ObrVyska", {QAccessible::StaticText, "výška plátna: 297 pixelov."}},
    };
    size_t checked = 0;
    for (const std::unique_ptr<QDialog>& dialog : allDialogs()) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        dialog->show();
        std::vector<QAccessibleInterface*> parts;
        collect(QAccessible::queryAccessibleInterface(dialog.get()), parts);
        QSet<QString> names;
        for (QAccessibleInterface* part : parts) {
            const QString name = part->text(QAccessible::Name);
            // A part without a name of its own (a spin edit's field) goes by its parent's.
            const QObject* object = part->object();
            if (object->objectName().isEmpty())
                object = object->parent();
            const QString path = dialog->objectName() + u'/' + object->objectName();
            if (named.contains(part->role()) || part->role() == QAccessible::Grouping) {
                EXPECT_TRUE(part->role() == QAccessible::Grouping || !name.isEmpty())
                    << path.toStdString();
                EXPECT_FALSE(!name.isEmpty() && names.contains(name))
                    << path.toStdString() << " repeats " << name.toStdString();
                names.insert(name);
            }
            if (part->role() == QAccessible::SpinBox) {
                EXPECT_EQ(part->childCount(), 0) << "its field and arrows are its own";
                EXPECT_EQ(part->valueInterface()->currentValue().toInt(), 488);
            }
            // The spin edit around that field is a nameless grouping under the same name.
            const auto it = expected.find(path);
            if (it != expected.end() && part->role() != QAccessible::Grouping) {
                EXPECT_EQ(part->role(), it->second.first) << path.toStdString();
                EXPECT_EQ(name, it->second.second) << path.toStdString();
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, expected.size());
}

// The spin box that assistive technology sees is the field that takes the focus, found where it
// lies in the tree (a screen reader drops a focused object its parent does not list); it sets and
// steps the value as the arrows do.
TEST(DialogAccess, SpinBoxValue) {
    QWidget window;
    auto* spin = new SpinEdit(1, 99, &window);
    window.show();
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(spin->lineEdit());
    ASSERT_EQ(box->role(), QAccessible::SpinBox);
    ASSERT_NE(box->parent(), nullptr);
    EXPECT_EQ(box->parent()->indexOfChild(box), 0);
    EXPECT_EQ(box->parent()->child(0), box);
    QAccessibleValueInterface* value = box->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->maximumValue().toInt(), 99);
    value->setCurrentValue(500);
    EXPECT_EQ(spin->text(), QStringLiteral("99"));
    box->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(spin->text(), QStringLiteral("98"));
    EXPECT_EQ(box->text(QAccessible::Value), QStringLiteral("98"));
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    spin->lineEdit()->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(box->state().focused);
}

struct KeyCase {
    const char* way;  // "Escape", "Enter" or "close"
    int result;
};

void endBy(QDialog& dialog, const char* way) {
    const std::string how = way;
    if (how == "close") {
        dialog.close();
    } else {
        QTest::keyClick(QApplication::focusWidget(),
                        how == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
    }
}

// Each dialog opens with the focus on its default control, and Enter, Escape and a close
// request end it with the answer a click on the matching button gives.
TEST(DialogAccess, KeysAndCloseRequestsAnswerAsTheButtonsDo) {
    const int ok = int(ModalResult::OK);
    struct Row {
        std::function<QDialog*()> make;
        const char* focus;
        std::vector<KeyCase> ways;
        std::function<void(QDialog&)> check;
    };
    TAboutBox about;
    TOknoUloz saveChanges;
    Texistu overwrite;
    Tvlastnosti properties;
    TNewBMPForm newPicture;
    const Row rows[] = {
        {[&] { return &about; },
         "SpeedButton1",
         {{"Escape", ok}, {"Enter", ok}, {"close", ok}},
         [](QDialog& d) {
             auto& box = static_cast<TAboutBox&>(d);
             EXPECT_EQ(box.CisloRiadku, 1);
             EXPECT_EQ(box.copyr()->text(), QString::fromUtf8(TAboutBox::kLeftLines[0]));
         }},
        {[&] { return &saveChanges; },
         "ano",
         {{"Escape", int(ModalResult::Cancel)},
          {"close", int(ModalResult::Cancel)},
          {"Enter", int(ModalResult::Yes)}},
         nullptr},
        {[&] {
             overwrite.anoClick();  // an earlier "Áno" must not stand
             return &overwrite;
         },
         "nie",
         {{"Escape", ok}, {"close", ok}, {"Enter", ok}},
         [](QDialog& d) { EXPECT_FALSE(static_cast<Texistu&>(d).replaceChosen()); }},
        {[&] { return &properties; },
         "Button1",
         {{"Escape", ok}, {"close", ok}, {"Enter", ok}},
         nullptr},
        {[&] { return &newPicture; },
         nullptr,
         {{"Escape", QDialog::Rejected}, {"Enter", QDialog::Accepted}},
         nullptr},
    };
    for (const Row& row : rows) {
        for (const KeyCase& way : row.ways) {
            QDialog* dialog = row.make();
            SCOPED_TRACE(dialog->objectName().toStdString() + " " + way.way);
            actOnModal([&](QDialog& d) {
                if (auto* box = qobject_cast<TAboutBox*>(&d))
                    box->SpeedButton5Click();  // away from the first line
                if (row.focus) {
                    EXPECT_EQ(QApplication::focusWidget(),
                              d.findChild<QWidget*>(QLatin1String(row.focus)));
                }
                endBy(d, way.way);
            });
            EXPECT_EQ(dialog->exec(), way.result);
            if (row.check)
                row.check(*dialog);
        }
    }
}

// A window manager that minimises a dialog anyway (some give every window the button) gets it
// back at once.
TEST(DialogAccess, MinimisedDialogComesBack) {
    Tvlastnosti dialog;
    actOnModal([](QDialog& d) {
        d.setWindowState(Qt::WindowMinimized);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !(d.windowState() & Qt::WindowMinimized); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    dialog.exec();
}

// The strongest contrast any pixel of the widget's text or glyph has with its window's ground.
double textContrast(QWidget* widget) {
    const QImage shot = widget->grab().toImage();
    const QColor ground = widget->window()->palette().color(QPalette::Window);
    double best = 1.0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            best = std::max(best, contrastRatio(QColor(shot.pixel(x, y)), ground));
    }
    return best;
}

int pixelsOf(QLabel* label, QRgb colour) {
    const QImage shot = label->grab().toImage();
    int count = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            count += (shot.pixel(x, y) & 0xFFFFFF) == colour;
    }
    return count;
}

// The heavy title keeps its navy and black on a light theme; on a dark or a black
// high-contrast theme, switched to while the box is open, it and the arrows take readable
// colours.
TEST(DialogAccess, AboutTitleReadableInEveryTheme) {
    const QPalette light = QApplication::palette();
    TAboutBox box;
    box.show();
    auto* product = box.findChild<QLabel*>(QStringLiteral("Label1"));
    auto* year = box.findChild<QLabel*>(QStringLiteral("Label2"));
    EXPECT_GT(pixelsOf(product, 0x000080), 100);
    EXPECT_GT(pixelsOf(year, 0x000000), 100);

    QPalette dark(QColor(0xE0, 0xE0, 0xE0), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    QPalette black(Qt::yellow, Qt::black);
    black.setColor(QPalette::WindowText, Qt::yellow);
    black.setColor(QPalette::Highlight, Qt::cyan);
    // The widgets hear of a new application palette through posted events.
    auto switchTo = [&](const QPalette& theme) {
        QApplication::setPalette(theme);
        EXPECT_TRUE(QTest::qWaitFor([&] { return box.palette() == QApplication::palette(); }));
    };
    for (const QPalette& theme : {dark, black}) {
        switchTo(theme);
        EXPECT_GE(textContrast(product), 3.0);
        EXPECT_GE(textContrast(year), 3.0);
        for (const char* arrow : {"SpeedButton4", "SpeedButton5"})
            EXPECT_GE(textContrast(box.findChild<QWidget*>(QLatin1String(arrow))), 3.0) << arrow;
    }
    switchTo(light);
    EXPECT_GT(pixelsOf(product, 0x000080), 100);
}

// At the designed font a text's font narrows at most as far as the designed layout needs.
int stretchOf(const QWidget* widget) {
    const int stretch = widget->font().stretch();
    return stretch == 0 ? 100 : stretch;
}

// With a 12-point interface font every dialog grows as its texts need: no text runs past its
// control, its box or the control beside it, no text narrows more than at the designed font,
// and every button shows its whole caption.
TEST(DialogAccess, TwelvePointFontCutsNoText) {
    std::map<QString, int> designedStretch;
    std::map<QString, QSize> designedSize;
    for (const std::unique_ptr<QDialog>& dialog : allDialogs()) {
        dialog->show();
        designedSize[dialog->objectName()] = dialog->size();
        for (const QWidget* widget : dialog->findChildren<QWidget*>())
            designedStretch[dialog->objectName() + u'/' + widget->objectName()] = stretchOf(widget);
    }

    const QFont designedFont = QApplication::font();
    QFont large = designedFont;
    large.setPointSize(12);
    QApplication::setFont(large);
    const int textPixels = QFontInfo(large).pixelSize();
    for (const std::unique_ptr<QDialog>& dialog : allDialogs()) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        dialog->show();
        EXPECT_GE(dialog->width(), designedSize[dialog->objectName()].width());
        EXPECT_GT(dialog->height(), designedSize[dialog->objectName()].height());
        for (QWidget* widget : dialog->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(widget);
            const auto* button = qobject_cast<QAbstractButton*>(widget);
            const QString text = label ? label->text() : button ? button->text() : QString();
            // Texts in the interface font; the title's heavy face has its own pixel size.
            if (text.isEmpty() || QFontInfo(widget->font()).pixelSize() != textPixels)
                continue;
            const std::string what = widget->objectName().toStdString();
            // One step of 2 % for the rounding of the narrowed widths.
            EXPECT_GE(stretchOf(widget),
                      designedStretch[dialog->objectName() + u'/' + widget->objectName()] - 2)
                << what;
            if (button && !qobject_cast<const QCheckBox*>(button)) {
                const QString caption = QString(text).remove(u'&');
                EXPECT_LE(widget->fontMetrics().horizontalAdvance(caption), widget->width() - 4)
                    << what;
            } else {
                EXPECT_LE(widget->sizeHint().width(), widget->width()) << what;
            }
            const QRect box = widget->parentWidget()->rect();
            EXPECT_TRUE(box.contains(widget->geometry())) << what << " runs out of its box";
            for (const QWidget* sibling :
                 widget->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                EXPECT_TRUE(sibling == widget ||
                            !sibling->geometry().intersects(widget->geometry()))
                    << what << " runs into " << sibling->objectName().toStdString();
            }
        }
    }
    QApplication::setFont(designedFont);
}

}  // namespace
}  // namespace kreslix::testing
