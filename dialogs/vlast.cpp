#include "dialogs/vlast.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "common/modal_result.h"
#include "dialogs/dialog_labels.h"

namespace kreslix {
namespace {

void setSizedText(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

QString pixelText(int pixels) {
    return QString::number(pixels) + QStringLiteral(" pixelov.");
}

}  // namespace

Tvlastnosti::Tvlastnosti(QWidget* parent) : ButtonOnlyDialog(parent) {
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

    auto* sizeBox = new QGroupBox(QStringLiteral("Rozmery"), this);
    sizeBox->setObjectName(QStringLiteral("GroupBox2"));
    sizeBox->setGeometry(16, 64, 265, 65);
    width_ = addLabel(sizeBox, "ObrSirka", QString(), {96, 24});
    height_ = addLabel(sizeBox, "ObrVyska", QString(), {96, 40});
    QLabel* widthCaption = addLabel(sizeBox, "Label1", QStringLiteral("šírka plátna:"), {24, 24});
    QLabel* heightCaption = addLabel(sizeBox, "Label2", QStringLiteral("výška plátna:"), {24, 40});
    fitWhenFirstShown(this, [this, widthCaption, heightCaption] {
        fitLineHeight(name_);
        // The captions end before the numbers beside them.
        fitBefore(widthCaption, 96 - 4);
        fitBefore(heightCaption, 96 - 4);
    });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(112, 144, 75, 25);
    connect(ok, &QPushButton::clicked, this, [this] { done(static_cast<int>(ModalResult::OK)); });
}

void Tvlastnosti::fill(const PictureProperties& properties) {
    name_->setText(properties.name);
    setSizedText(width_, properties.widthText);
    setSizedText(height_, properties.heightText);
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
