#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "common/long_work.h"

namespace kreslix {

// Sees the bytes of a transfer so far, after each piece that arrives, with the size the owner
// announced (-1 when it did not); it may throw to end the transfer there.
using ReceivedCheck = std::function<void(const QByteArray& soFar, qint64 announcedSize)>;

// How long an owner may stay silent, at any step of a transfer, before the paste gives up on it.
inline constexpr int kOwnerSilenceLimitMs = 4000;

// The clipboard as a paste reads it while another program owns it: the types it offers and the
// bytes of one, each asked with a time limit, on a thread that is not the window's. Made on the
// window's thread, then used on one other thread at a time.
class ClipboardReader {
public:
    virtual ~ClipboardReader() = default;
    // The offered types, asked once; nothing when the owner does not answer in time.
    virtual std::optional<QStringList> offeredTypes(WorkProgress& progress) = 0;
    // The bytes of one offered type: empty when the owner refuses it, nothing when it stops
    // answering for longer than kOwnerSilenceLimitMs. Throws WorkStopped once the user asks to
    // stop, and whatever `received` throws.
    virtual std::optional<QByteArray> read(const QString& type, WorkProgress& progress,
                                           const ReceivedCheck& received) = 0;
};

// The reader for this session's clipboard, made on the window's thread. Nothing when this
// process owns the clipboard or the platform's clipboard lives in this process (no X11, no
// Wayland): then QClipboard answers at once.
std::unique_ptr<ClipboardReader> makeClipboardReader();

// The picture another program offers, decoded: nothing when it offers no image type, or stops
// answering. Fails with "Unsupported clipboard format" when no offered image type gives a
// decodable image, and with the picture-size message, read from the image's header before the
// rest arrives, when the image is larger than a picture may be. Reports the bytes received of
// the announced size, then the decoding.
std::optional<QImage> readOfferedPicture(ClipboardReader& reader, WorkProgress& progress);

}  // namespace kreslix
