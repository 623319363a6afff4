#pragma once

#include <QImage>
#include <QMimeData>
#include <memory>

namespace kreslix {

// The picture as the clipboard offers it to other programs: image/png and image/bmp, the two
// types every program that takes pictures reads, and both cheap to make (Qt's own image offer
// lists every writer it has, XPM and PPM among them, and encodes on each request on the
// window's thread: seconds for PNG, minutes for XPM). The PNG is encoded once, on threads of
// its own, from the moment the offer is made; the BMP, cheap but three times larger, on the
// first request. Later requests are answered from the same bytes.
//
// The pixels are shared with the picture they came from: the picture's next change gives it
// pixels of its own (makePictureWritable), so the encoders read pixels nobody writes.
class ClipboardOffer : public QMimeData {
    Q_OBJECT

public:
    static constexpr const char* kPng = "image/png";
    static constexpr const char* kBmp = "image/bmp";

    explicit ClipboardOffer(const QImage& image);
    ~ClipboardOffer() override;

    const QImage& image() const { return image_; }

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

    // Whether the bytes of an offered type are ready, without waiting; when they are not, they
    // are on their way (the first ask for BMP starts its encoding) and `bytesReady` follows.
    // Like every member, called on the thread the offer lives in.
    bool prepared(const QString& mimeType) const;

    // The content of `data` when it is an offer of ours; null otherwise.
    static const ClipboardOffer* of(const QMimeData* data);

signals:
    // The bytes of a type have become ready (sent on the thread the offer lives in).
    void bytesReady();

protected:
    // Asked by the platform for another program: waits for the bytes when they are not ready
    // yet. On X11 single requests are held back until the bytes are ready (see
    // x_clipboard_requests.h), so this wait happens only where nothing holds them back: a
    // MULTIPLE request on X11, a Wayland client's request (Qt 6.4 writes the bytes to its pipe
    // on the window's thread anyway). "application/x-qt-image" gives this process the picture.
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    struct Encoding;
    // The encoding of the offered type, started when it was not yet.
    Encoding& encoding(const QString& mimeType) const;

    QImage image_;
    mutable std::shared_ptr<Encoding> png_;
    mutable std::shared_ptr<Encoding> bmp_;
};

}  // namespace kreslix
