#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "canvas/canvas.h"
#include "document/files/picture.h"

namespace kreslix {

// The one document of the main window: the picture with its canvas, the file it belongs to, the
// modified flag, the caption and the enabled state of the Save button. The window mirrors the
// caption and the button through the signals; nothing here knows about widgets.
class DocumentState : public QObject {
    Q_OBJECT

public:
    static constexpr int kStartWidth = 488;
    static constexpr int kStartHeight = 297;

    // A white start picture with a fresh canvas; untitled, flag 0, Save button enabled.
    DocumentState();
    ~DocumentState() override;

    const Picture& picture() const { return picture_; }
    // The picture for a file to be written from. Throws KreslixError when its pixels are no
    // longer those of the size it was shown at (lost behind the document's back), so that no
    // save ever writes a picture other than the one shown.
    const Picture& pictureToWrite() const;
    QImage& image() { return picture_.image; }
    Canvas& canvas() { return *canvas_; }

    // For work done on the pixels directly rather than through the canvas: the view repaints
    // the rectangle.
    void pixelsChanged(const QRect& rect) { emit pictureChanged(rect); }

    // Makes another bitmap the picture; it comes with a canvas at the canvas start values.
    void replacePicture(Picture picture);

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& path) { fileName_ = path; }

    // The flag holds only 0 or 1.
    quint8 modified() const { return modified_; }
    void setModified(bool on) { modified_ = on ? 1 : 0; }

    bool saveButtonEnabled() const { return saveButtonEnabled_; }
    void setSaveButtonEnabled(bool on);

    // Carries the brush style, pen style, pen width, pen colour and brush colour, in this order,
    // over a replacement of the picture: Keep on the old canvas, Restore on the new one.
    void keepPenAndBrush();
    void restorePenAndBrush();

    const QString& caption() const { return caption_; }
    void showUntitledCaption();
    // The file name without its folder, spelled as in the path.
    void showFileCaption();

    static QString untitledCaption();
    static QString fileCaption(const QString& path);

signals:
    void captionChanged(const QString& caption);
    void saveButtonEnabledChanged(bool enabled);
    // Some pixels changed; only the rectangle needs repainting.
    void pictureChanged(const QRect& rect);
    // Another bitmap became the picture: its size may differ.
    void pictureReplaced();

private:
    void attachCanvas();

    Picture picture_;
    QSize shownSize_;  // the picture's size when it became the document's
    std::unique_ptr<Canvas> canvas_;
    struct KeptPenAndBrush {
        BrushStyle brushStyle = bsSolid;
        PenStyle penStyle = psSolid;
        int penWidth = 1;
        Colour penColour = kBlack;
        Colour brushColour = kWhite;
    } kept_;
    QString fileName_;
    quint8 modified_ = 0;
    bool saveButtonEnabled_ = true;
    QString caption_;
};

}  // namespace kreslix
