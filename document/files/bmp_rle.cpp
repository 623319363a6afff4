#include "document/files/bmp_rle.h"

#include <algorithm>

#include "common/error.h"
#include "document/files/bmp_bytes.h"
#include "document/files/bmp_errors.h"

namespace kreslix::bmp {

namespace {

// Walks the run-length stream and puts each pixel into the uncompressed rows, clipping every
// position outside the picture.
class RleExpander {
public:
    RleExpander(const uchar* data, qint64 size, const BmpLayout& layout, uchar* rows,
                ReadProgress* progress)
        : progress_(progress),
          in_(data + layout.pixelOffset),
          end_(data + size),
          width_(layout.width),
          height_(layout.height),
          rowBytes_(layout.rowBytes),
          fourBit_(layout.compression == kRle4),
          rows_(rows) {}

    void run() {
        if (progress_)
            progress_->beginStage(0, 0.3, height_);
        while (y_ < height_) {
            tell();
            const uint count = next();
            const uint value = next();
            if (count > 0) {
                putRun(count, value);
            } else if (value == 0) {
                x_ = 0;
                ++y_;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                x_ += next();
                y_ += next();
            } else {
                putLiteral(value);
            }
        }
    }

private:
    // Told at each command, checked now and then: a stop is seen within a few thousand
    // commands, each of which does at most one run of 255 pixels.
    void tell() {
        if (progress_ && (++commands_ & 4095) == 0)
            progress_->step(y_);
    }

    uint next() {
        if (in_ >= end_)
            failShortFile();
        return *in_++;
    }

    void put(uint index) {
        if (x_ < width_)
            setPackedEntry(rows_ + y_ * rowBytes_, x_, fourBit_ ? 4 : 8, index);
        ++x_;
    }

    // A run repeats one byte: RLE4 alternates its two halves. Only the part inside the row is
    // walked pixel by pixel; the rest of a run past the right edge just moves the position.
    void putRun(uint count, uint value) {
        const uint inside = uint(std::clamp<qint64>(width_ - x_, 0, count));
        for (uint i = 0; i < inside; ++i)
            put(fourBit_ ? ((i & 1) ? value & 15 : value >> 4) : value);
        x_ += count - inside;
    }

    // A literal stretch of count pixels, its bytes padded to an even number.
    void putLiteral(uint count) {
        const uint bytes = fourBit_ ? (count + 1) / 2 : count;
        uint pixel = 0;
        for (uint i = 0; i < bytes; ++i) {
            const uint byte = next();
            if (!fourBit_) {
                put(byte);
                continue;
            }
            put(byte >> 4);
            if (++pixel < count)
                put(byte & 15);
            ++pixel;
        }
        if (bytes & 1)
            next();
    }

    ReadProgress* progress_;
    qint64 commands_ = 0;
    const uchar* in_;
    const uchar* end_;
    qint64 width_;
    qint64 height_;
    qint64 rowBytes_;
    bool fourBit_;
    uchar* rows_;
    qint64 x_ = 0;
    qint64 y_ = 0;
};

}  // namespace

std::unique_ptr<LargeBuffer> expandRle(const uchar* data, qint64 size, const BmpLayout& layout,
                                       ReadProgress* progress) {
    auto rows = std::make_unique<LargeBuffer>(layout.rowBytes * layout.height);
    if (rows->size() > 0 && !rows->data()) {
        throw KreslixError(QStringLiteral("Na obrázok %1 × %2 bodov nie je dosť pamäte")
                               .arg(layout.width)
                               .arg(layout.height));
    }
    RleExpander(data, size, layout, rows->data(), progress).run();
    return rows;
}

}  // namespace kreslix::bmp
