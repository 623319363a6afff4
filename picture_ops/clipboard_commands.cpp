#include "picture_ops/clipboard_commands.h"

#include "common/error.h"
#include "common/prompts.h"
#include "document/document_state.h"
#include "picture_ops/clipboard_image.h"
#include "picture_ops/clipboard_reader.h"

namespace kreslix {

namespace {

// Block copies and bitmap drawing use source copy except inside Cut's whitening; a failure
// there must not leave the canvas whitening everything it copies afterwards.
class WhitenessMode {
public:
    explicit WhitenessMode(Canvas& canvas) : canvas_(canvas) { canvas_.setCopyMode(cmWhiteness); }
    ~WhitenessMode() { canvas_.setCopyMode(cmSrcCopy); }
    WhitenessMode(const WhitenessMode&) = delete;
    WhitenessMode& operator=(const WhitenessMode&) = delete;

private:
    Canvas& canvas_;
};

void markModified(DocumentState& document) {
    document.setModified(true);
    document.setSaveButtonEnabled(true);
}

}  // namespace

void Copy1Click(DocumentState& document) {
    publishClipboardImage(document.image());
    document.setSaveButtonEnabled(true);
}

void Cut1Click(DocumentState& document, Prompts& prompts) {
    BusyGuard busy(prompts);
    document.setSaveButtonEnabled(true);
    Copy1Click(document);
    Canvas& canvas = document.canvas();
    {
        WhitenessMode whiteness(canvas);
        const QRect whole(0, 0, canvas.Width(), canvas.Height());
        canvas.CopyRect(whole, canvas, whole);
    }
    document.setModified(true);
}

void Paste1Click(DocumentState& document, Prompts& prompts) {
    const QString noPicture = QStringLiteral("V schránke sa nenachádza objekt grafického typu.");
    const std::unique_ptr<ClipboardReader> reader = makeClipboardReader();
    if (!reader) {
        // This process's own clipboard: at hand, nobody to wait for.
        if (!clipboardOffersImage()) {
            prompts.showMessage(noPicture);
            return;
        }
        document.canvas().Draw(0, 0, readClipboardImage());
        markModified(document);
        return;
    }
    // Another program's: its types asked once, then the bytes, off the window's thread while
    // the window waits as for a modal step. An owner that does not answer offers no picture.
    std::optional<QImage> image;
    const bool finished = prompts.runLongWork(
        QStringLiteral("Prilepiť"),
        [&](WorkProgress& progress) { image = readOfferedPicture(*reader, progress); });
    if (!finished)
        return;
    if (!image) {
        prompts.showMessage(noPicture);
        return;
    }
    document.canvas().Draw(0, 0, *image);
    markModified(document);
}

void KoprovapracovnplochuWindows1Click(DocumentState& document, Prompts& prompts,
                                       const std::function<QImage()>& capture) {
    BusyGuard busy(prompts);
    const QImage screen = capture();
    if (screen.isNull())
        throw KreslixError(QStringLiteral("Cannot capture the screen"));
    publishClipboardImage(screen);
    // Drawn from what the clipboard gives back, as a paste would draw it.
    document.canvas().Draw(0, 0, readClipboardImage());
    markModified(document);
}

}  // namespace kreslix
