#include "picture_ops/clipboard_reader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

#include "common/error.h"
#include "document/files/picture_size.h"
#include "picture_ops/clipboard_decode.h"
#include "picture_ops/wayland_offer_reader.h"
#include "picture_ops/x_selection_reader.h"

namespace kreslix {

namespace {

// The header is read once this much has arrived: enough for every header Qt reads (a JPEG's
// size may follow its embedded data).
constexpr qsizetype kHeaderBytes = 64 * 1024;

// The share of the progress given to the transfer; the decoding takes the rest.
constexpr double kTransferShare = 0.8;

[[noreturn]] void unsupported() {
    throw KreslixError(QStringLiteral("Unsupported clipboard format"));
}

void checkStop(const WorkProgress& progress) {
    if (progress.stopRequested())
        throw WorkStopped{};
}

// The decoding's progress as the rest of the paste's, after the transfer's share.
class DecodingShare : public WorkProgress {
public:
    explicit DecodingShare(WorkProgress& paste) : paste_(paste) {}
    void report(double fraction) override {
        paste_.report(kTransferShare + (1.0 - kTransferShare) * fraction);
    }
    bool stopRequested() const override { return paste_.stopRequested(); }

private:
    WorkProgress& paste_;
};

}  // namespace

std::unique_ptr<ClipboardReader> makeClipboardReader() {
    if (QGuiApplication::clipboard()->ownsClipboard())
        return nullptr;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return std::make_unique<XSelectionReader>();
    if (platform.startsWith(QLatin1String("wayland")))
        return makeWaylandOfferReader();
    return nullptr;
}

std::optional<QImage> readOfferedPicture(ClipboardReader& reader, WorkProgress& progress) {
    const std::optional<QStringList> offered = reader.offeredTypes(progress);
    if (!offered)
        return std::nullopt;
    const QStringList types = pastableImageTypes(*offered);
    if (types.isEmpty())
        return std::nullopt;
    // No image type a picture may have takes more than twice its pixels' memory.
    const qint64 mostBytes = 2 * pictureMemoryLimit();
    for (const QString& type : types) {
        bool headerChecked = false;
        const std::optional<QByteArray> bytes =
            reader.read(type, progress, [&](const QByteArray& soFar, qint64 announcedSize) {
                if (!headerChecked && soFar.size() >= kHeaderBytes) {
                    checkImageHeaderSize(soFar);
                    headerChecked = true;
                }
                if (soFar.size() > mostBytes)
                    unsupported();
                if (announcedSize > 0)
                    progress.report(kTransferShare *
                                    std::min(1.0, double(soFar.size()) / double(announcedSize)));
            });
        if (!bytes)
            return std::nullopt;
        checkStop(progress);
        progress.report(kTransferShare);
        DecodingShare decoding(progress);
        const QImage image = decodeClipboardImage(*bytes, &decoding);
        if (!image.isNull()) {
            progress.report(1.0);
            return image;
        }
    }
    unsupported();
}

}  // namespace kreslix
