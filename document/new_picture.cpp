#include "document/new_picture.h"

#include "common/error.h"
#include "common/prompts.h"
#include "document/document_state.h"
#include "document/files/picture_size.h"
#include "document/save_changes.h"

namespace kreslix {
namespace {

Picture blankPicture(int width, int height) {
    checkPictureSize(width, height);
    Picture picture;
    if (width > 0 && height > 0) {
        picture.image = QImage(width, height, QImage::Format_RGB32);
        if (picture.image.isNull()) {
            throw KreslixError(QStringLiteral("Obrázok %1 × %2 bodov sa nedá vytvoriť: "
                                              "nie je dosť pamäte")
                                   .arg(width)
                                   .arg(height));
        }
    }
    return picture;
}

}  // namespace

int sizeFieldValue(const QString& text) {
    bool wellFormed = !text.isEmpty();
    for (qsizetype i = 0; i < text.size() && wellFormed; ++i) {
        const QChar c = text[i];
        wellFormed = (c >= u'0' && c <= u'9') || (i == 0 && (c == u'+' || c == u'-'));
    }
    bool ok = false;
    const int value = wellFormed ? text.toInt(&ok, 10) : 0;
    if (!ok)
        throw KreslixError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

void New1Click(DocumentState& document, Prompts& prompts) {
    runSaveChangesStepIfModified(document, prompts);
    document.keepPenAndBrush();

    const QImage& current = document.picture().image;
    const std::optional<NewPictureAnswer> answer =
        prompts.askNewPicture(QString::number(current.width()), QString::number(current.height()));
    if (!answer) {
        // Cancel still restores, onto the old canvas (a clear brush comes back solid white).
        document.restorePenAndBrush();
        return;
    }

    const int width = sizeFieldValue(answer->widthText);
    const int height = sizeFieldValue(answer->heightText);
    // A large picture's memory and its fill take longer than a glance.
    BusyGuard busy(prompts);
    document.replacePicture(blankPicture(width, height));
    document.setFileName(QString());

    // The thinnest pen and the background brush, over a box one pixel beyond every edge: the
    // fill covers the whole picture and the outline falls outside it.
    Canvas& canvas = document.canvas();
    canvas.pen().setWidth(0);
    canvas.brush().setColour(answer->background);
    canvas.Rectangle(-1, -1, width + 1, height + 1);

    document.showUntitledCaption();
    document.setModified(false);
    document.setSaveButtonEnabled(false);
    document.restorePenAndBrush();
}

}  // namespace kreslix
