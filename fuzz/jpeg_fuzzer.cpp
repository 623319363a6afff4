// libFuzzer target for the JPEG reader: any bytes must decode to a picture or fail with an error.
#include <cstddef>
#include <cstdint>

#include "common/error.h"
#include "document/files/jpeg_decoder.h"

namespace {

// Larger pictures are refused before decoding, which keeps each run within the fuzzer's memory
// and time limits; the decoding itself does not depend on the size.
constexpr qint64 kMaxFuzzPixels = 4 * 1024 * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        kreslix::decodeJpeg(data, size, kMaxFuzzPixels);
    } catch (const kreslix::KreslixError&) {
    }
    return 0;
}
