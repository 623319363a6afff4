#include "dialogs/vlast.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "common/modal_result.h"
#include "dialogs/dialog_labels.h"
#include "dialogs/font_growth.h"
#include "dialogs/spoken_label.h"

namespace kreslix {
namespace {

constexpr int kNumbersLeft = 96;  // where the numbers start in the size box
constexpr int kBoxWidth = 265;    // the width of both boxes
constexpr int kGap = 4;           // the least space between a text and what follows it

QString pixelText(int pixels) {
    return QString::number(pixels) + QStringLiteral(" pixelov.");
}

}  // namespace

Tvlastnosti::Tvlastnosti(QWidget* parent) : PromptDialog(parent) {
    setObjectName(QStringLiteral("vlastnosti"));
    setWindowTitle(QStringLiteral("Vlastnosti"));
    setFixedSize(298, 174);
    move(kDesignedPosition);

    auto* nameBox = new QGroupBox(QStringLiteral("Meno obrázka"), this);
    nameBox->setObjectName(QStringLiteral("GroupBox1"));
    nameBox->setGeometry(16, 16, 265, 41);
    // A fixed size: a name longer than the label is cut off at its right edge.
    name_ = new QLabel(nameBox);
    name_->setObjectName(QStringLiteral("MenoObr"));
    name_->setGeometry(8, 24, 249, 13);
    // A name such as <b>x.bmp is shown as it is spelled, never read as markup.
    name_->setTextFormat(Qt::PlainText);

    auto* sizeBox = new QGroupBox(QStringLiteral("Rozmery"), this);
    sizeBox->setObjectName(QStringLiteral("GroupBox2"));
    sizeBox->setGeometry(16, 64, 265, 65);
    width_ = addLabel(sizeBox, "ObrSirka", QString(), {kNumbersLeft, 24});
    height_ = addLabel(sizeBox, "ObrVyska", QString(), {kNumbersLeft, 40});
    QLabel* widthCaption = addLabel(sizeBox, "Label1", QStringLiteral("šírka plátna:"), {24, 24});
    QLabel* heightCaption = addLabel(sizeBox, "Label2", QStringLiteral("výška plátna:"), {24, 40});
    // Read with the dialog, each number with its caption in its name, so that equal numbers, or
    // a file named like a button, still make distinct names.
    speakWithCaption(name_, nullptr);
    speakWithCaption(width_, widthCaption);
    speakWithCaption(height_, heightCaption);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(112, 144, 75, 25);
    connect(ok, &QPushButton::clicked, this, [this] { done(static_cast<int>(ModalResult::OK)); });

    growth_ = new FontGrowth(this);
    growth_->keepLineHeight(name_);
    // The captions end before the numbers beside them, the numbers before the box's edge.
    growth_->keepBefore(widthCaption, kNumbersLeft - kGap);
    growth_->keepBefore(heightCaption, kNumbersLeft - kGap);
    growth_->keepBefore(width_, kBoxWidth - 2 * kGap);
    growth_->keepBefore(height_, kBoxWidth - 2 * kGap);
}

void Tvlastnosti::fill(const PictureProperties& properties) {
    setSpokenText(name_, QStringLiteral("Meno obrázka:"), properties.name);
    setSpokenText(width_, QStringLiteral("šírka plátna:"), properties.widthText);
    setSpokenText(height_, QStringLiteral("výška plátna:"), properties.heightText);
    width_->adjustSize();
    height_->adjustSize();
    if (isVisible())
        growth_->layOut();
}

void Tvlastnosti::reject() {
    done(static_cast<int>(ModalResult::OK));
}

PictureProperties pictureProperties(const QString& openedPath, QSize pictureSize) {
    const QFileInfo file(openedPath);
    const bool exists = !openedPath.isEmpty() && file.isFile();
    return {exists ? file.fileName() : QStringLiteral("Bez názvu"), pixelText(pictureSize.width()),
            pixelText(pictureSize.height())};
}

void Vlastnosti1Click(QSize pictureSize, Prompts& prompts) {
    prompts.showPictureProperties(pictureProperties(prompts.openDialogFileName(), pictureSize));
}

}  // namespace kreslix
