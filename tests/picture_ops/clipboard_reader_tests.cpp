// What a paste makes of an owner's answers: an owner that falls silent offers no picture, and a
// picture whose header claims more pixels than a picture may have ends the transfer at its first
// piece, so a hostile owner costs neither the rest of its bytes nor a decoding.
#include <gtest/gtest.h>

#include <QBuffer>
#include <algorithm>

#include "common/error.h"
#include "picture_ops/clipboard_reader.h"
#include "tests/support/claimed_png.h"

namespace kreslix::testing {
namespace {

// An owner offering image/png, delivered in pieces of 1 MiB: the first is `first`, the rest are
// filler; after `silentAfter` pieces it answers nothing more.
class ScriptedOwner : public ClipboardReader {
public:
    QByteArray first;
    int pieces = 0;
    int silentAfter = 1 << 20;
    int delivered = 0;

    std::optional<QStringList> offeredTypes(WorkProgress&) override {
        return QStringList{"TARGETS", "image/png"};
    }
    std::optional<QByteArray> read(const QString& type, WorkProgress&,
                                   const ReceivedCheck& received) override {
        EXPECT_EQ(type, QStringLiteral("image/png"));
        QByteArray bytes;
        for (int i = 0; i < pieces; ++i) {
            if (i == silentAfter)
                return std::nullopt;
            bytes += i == 0 ? first : QByteArray(1 << 20, '\0');
            ++delivered;
            received(bytes, qint64(pieces) << 20);
        }
        return bytes;
    }
};

QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(OfferedPicture, SilentOwnerOffersNoPictureAndAHugeHeaderEndsTheTransfer) {
    SilentProgress progress;
    QImage small(3, 2, QImage::Format_RGB32);
    small.fill(Qt::blue);

    ScriptedOwner whole;
    whole.first = pngOf(small);
    whole.pieces = 1;
    const std::optional<QImage> pasted = readOfferedPicture(whole, progress);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->convertToFormat(QImage::Format_RGB32), small);

    ScriptedOwner silent;
    silent.first = QByteArray(1 << 20, 'x');
    silent.pieces = 3;
    silent.silentAfter = 2;
    EXPECT_FALSE(readOfferedPicture(silent, progress));

    // A PNG whose header claims 200000 × 100000 pixels, then 300 MiB of filler.
    QByteArray huge = pngClaimingSize(200000, 100000);
    huge += QByteArray((1 << 20) - huge.size(), '\0');
    ScriptedOwner hostile;
    hostile.first = huge;
    hostile.pieces = 300;
    try {
        readOfferedPicture(hostile, progress);
        ADD_FAILURE() << "the huge picture was taken";
    } catch (const KreslixError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Obrázok 200000 × 100000")))
            << e.message().toStdString();
    }
    EXPECT_EQ(hostile.delivered, 1);
}

// Reports in order, and asks for a stop once it has `stopAfter` reports beyond the transfer's.
class PasteProgress : public WorkProgress {
public:
    std::vector<double> reports;
    int stopAfter = -1;

    void report(double fraction) override { reports.push_back(fraction); }
    bool stopRequested() const override { return stopAfter >= 0 && decodingReports() > stopAfter; }
    int decodingReports() const {
        return int(std::count_if(reports.begin(), reports.end(), [](double f) { return f > 0.8; }));
    }
};

// The decoding of a large picture goes on reporting after the transfer, and stops on request
// long before its end.
TEST(OfferedPicture, DecodingReportsItsProgressAndStopsOnRequest) {
    QImage noise(1500, 1000, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, (unsigned(x) * 2654435761u ^ unsigned(y) * 40503u) >> 8);
    }
    ScriptedOwner owner;
    owner.first = pngOf(noise);
    owner.pieces = 1;

    PasteProgress whole;
    ASSERT_TRUE(readOfferedPicture(owner, whole));
    EXPECT_TRUE(std::is_sorted(whole.reports.begin(), whole.reports.end()));
    EXPECT_GT(whole.decodingReports(), 20) << "the decoding said little of how far it was";
    EXPECT_EQ(whole.reports.back(), 1.0);

    PasteProgress stopped;
    stopped.stopAfter = 3;
    EXPECT_THROW(readOfferedPicture(owner, stopped), WorkStopped);
    EXPECT_LT(stopped.decodingReports(), whole.decodingReports() / 2);
}

}  // namespace
}  // namespace kreslix::testing
