// libFuzzer target for the BMP reader: any bytes must decode to a complete picture or fail with
// an error. A decoded picture is also encoded back in its kept format, row by row.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/error.h"
#include "document/files/bmp_decoder.h"
#include "document/files/bmp_headers.h"
#include "document/files/bmp_row_encoder.h"
#include "document/files/stored_bmp_format.h"
#include "fuzz/fuzz_progress.h"

namespace {

// Larger pictures are skipped after their headers are read (the limit is 64 × 64, or
// 4096 × 1). Keeping each input's pixel work this small is what lets a run try millions of
// inputs; run-length data could otherwise make a huge picture of a few bytes. The few paths
// that only larger pictures take (the value tables of 16-bit and masked pixels, pictures in
// huge pages) are the reader tests' part.
constexpr qint64 kMaxFuzzPixels = qint64(1) << 12;

bool isSmallEnough(const uchar* data, qint64 size) {
    try {
        const kreslix::bmp::BmpLayout layout = kreslix::bmp::parseBmpLayout(data, size);
        return layout.width * layout.height <= kMaxFuzzPixels;
    } catch (const kreslix::KreslixError&) {
        return true;  // refused again, the same way, by the decoder
    }
}

void encodeAllRows(const kreslix::Picture& picture) {
    const kreslix::bmp::RowEncoder encoder(picture.image, picture.storedFormat.get());
    std::vector<uchar> row(size_t(encoder.rowBytes()) + 1);
    for (int y = 0; y < picture.image.height(); ++y) {
        if (!encoder.encodeRow(y, row.data()))
            return;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* bytes = reinterpret_cast<const uchar*>(data);
    if (!isSmallEnough(bytes, qint64(size)))
        return 0;
    try {
        kreslix::fuzzing::readWithProgress([&](kreslix::WorkProgress& progress) {
            encodeAllRows(kreslix::bmp::decodeBmp(bytes, qint64(size), &progress));
        });
    } catch (const kreslix::KreslixError&) {
    }
    return 0;
}
