// libFuzzer target for the JPEG reader: any bytes must decode to a picture or fail with an error.
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "common/error.h"
#include "document/files/jpeg_decoder.h"
#include "fuzz/fuzz_progress.h"

namespace {

// Larger pictures are refused before decoding (128 × 128, or 16384 × 1). Every path of our
// decoding is reached with pictures this small, and a decoded megapixel took most of a run's
// time: with this limit a run tries millions of inputs.
constexpr qint64 kMaxFuzzPixels = qint64(1) << 14;

// libjpeg is a system library without coverage instrumentation. One function per outcome (each
// library error code, and a decoded picture) lets the fuzzer tell inputs apart by what the
// library did with them.
constexpr std::size_t kOutcomes = 160;
volatile int lastOutcome = 0;

template <std::size_t N>
void noteOutcome() {
    lastOutcome = int(N);
}

template <std::size_t... N>
constexpr std::array<void (*)(), sizeof...(N)> outcomeTable(std::index_sequence<N...>) {
    return {&noteOutcome<N>...};
}

constexpr auto kOutcomeNotes = outcomeTable(std::make_index_sequence<kOutcomes>());

int outcomeOf(const QString& message) {
    const QString prefix = QStringLiteral("JPEG error #");
    if (!message.startsWith(prefix))
        return 0;
    return 1 + message.mid(prefix.size()).toInt();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int outcome = 0;
    try {
        kreslix::fuzzing::readWithProgress([&](kreslix::WorkProgress& progress) {
            const kreslix::Picture picture =
                kreslix::decodeJpeg(data, size, kMaxFuzzPixels, -1, &progress);
            outcome = 150 + (picture.image.isNull() ? 0 : 1);
        });
    } catch (const kreslix::KreslixError& error) {
        outcome = outcomeOf(error.message());
    }
    kOutcomeNotes[std::size_t(outcome) % kOutcomes]();
    return 0;
}
