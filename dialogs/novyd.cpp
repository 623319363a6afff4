#include "dialogs/novyd.h"

#include <QColorDialog>
#include <QLabel>
#include <QPushButton>

#include "dialogs/colour_dialog.h"
#include "dialogs/font_growth.h"
#include "dialogs/screen_centre.h"
#include "dialogs/spin_edit.h"
#include "dialogs/titled_frame.h"

namespace kreslix {
namespace {

constexpr int kFieldsLeft = 128;  // where the size fields start in the frame
constexpr int kGap = 4;           // the least space between a label and its field

// Shows the colour, and tells it to assistive technology as its HTML name.
void paintSwatch(QWidget* swatch, Colour colour) {
    const QString name = QStringLiteral("#%1").arg(toPixel(colour) & 0xFFFFFF, 6, 16, QChar(u'0'));
    swatch->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid black;").arg(name));
    swatch->setAccessibleDescription(name);
}

}  // namespace

TNewBMPForm::TNewBMPForm(QWidget* parent) : PromptDialog(parent) {
    setObjectName(QStringLiteral("NewBMPForm"));
    setWindowTitle(QStringLiteral("Nový obrázok"));
    setFixedSize(281, 175);

    auto* frame = new TitledFrame(QStringLiteral("Vlastnosti"), this);
    frame->setObjectName(QStringLiteral("GroupBox1"));
    frame->setGeometry(16, 8, 249, 121);
    auto* widthLabel = new QLabel(QStringLiteral("Šírka plátna:"), frame);
    widthLabel->setObjectName(QStringLiteral("Label1"));
    widthLabel->move(24, 32);
    width_ = new SpinEdit(0, 0, frame);
    width_->setObjectName(QStringLiteral("WidthEdit"));
    width_->setGeometry(kFieldsLeft, 24, 97, 22);
    widthLabel->setBuddy(width_);
    auto* heightLabel = new QLabel(QStringLiteral("Výška plátna:"), frame);
    heightLabel->setObjectName(QStringLiteral("Label2"));
    heightLabel->move(24, 64);
    height_ = new SpinEdit(0, 0, frame);
    height_->setObjectName(QStringLiteral("HeightEdit"));
    height_->setGeometry(kFieldsLeft, 56, 97, 22);
    heightLabel->setBuddy(height_);
    auto* colourButton = new QPushButton(QStringLiteral("Farba pozadia..."), frame);
    colourButton->setObjectName(QStringLiteral("SpeedButton1"));
    colourButton->setGeometry(24, 88, 97, 25);
    // Reached by Tab after the size fields; a click leaves the focus where it was, so Enter
    // still confirms the dialog after a colour is chosen with the mouse.
    colourButton->setFocusPolicy(Qt::TabFocus);
    swatch_ = new QWidget(frame);
    swatch_->setObjectName(QStringLiteral("FPo"));
    swatch_->setAccessibleName(QStringLiteral("Zvolená farba pozadia"));
    swatch_->setGeometry(128, 88, 97, 25);
    paintSwatch(swatch_, background_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setGeometry(48, 140, 77, 27);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Zrušiť"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setGeometry(148, 140, 77, 27);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(colourButton, &QPushButton::clicked, this, &TNewBMPForm::SpeedButton1Click);

    setTabOrder(ok, cancel);
    setTabOrder(cancel, width_);
    setTabOrder(width_, height_);
    setTabOrder(height_, colourButton);

    auto* growth = new FontGrowth(this);
    growth->keepBefore(widthLabel, kFieldsLeft - kGap);
    growth->keepBefore(heightLabel, kFieldsLeft - kGap);

    // `DialogFarby` is made at its first use and kept: made here, it cost the program's start
    // more than the whole main window.
    chooser_ = [this](Colour start) {
        if (!dialogFarby_) {
            dialogFarby_ = new QColorDialog(this);
            dialogFarby_->setObjectName(QStringLiteral("DialogFarby"));
        }
        return runColourDialog(dialogFarby_, start);
    };
}

void TNewBMPForm::showEvent(QShowEvent* event) {
    centreOnScreen(this);
    PromptDialog::showEvent(event);
}

void TNewBMPForm::SpeedButton1Click() {
    if (const auto chosen = chooser_(lastChosen_)) {
        lastChosen_ = *chosen;
        background_ = *chosen;
        paintSwatch(swatch_, background_);
    }
}

}  // namespace kreslix
