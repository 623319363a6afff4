// Damaged data: every outcome is a whole picture of the stated size or "JPEG error #n"; the
// sanitizer build checks that nothing crashes, reads out of bounds or leaks on the way.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "common/error.h"
#include "jpeg_test_support.h"

namespace kreslix::test {
namespace {

struct Damaged {
    int decoded = 0;
    int rejected = 0;
};

// Decodes damaged bytes and checks the outcome; counts which way it went. fullSize is the size a
// decoded picture must have, when the damage cannot have touched the frame header.
void expectCleanOutcome(const QByteArray& bytes, std::optional<QSize> fullSize, Damaged& tally) {
    try {
        const Picture picture = decodeBytes(bytes);
        EXPECT_FALSE(picture.image.isNull());
        if (fullSize) {
            EXPECT_EQ(picture.image.size(), *fullSize);
        }
        ++tally.decoded;
    } catch (const KreslixError& error) {
        EXPECT_TRUE(error.message().startsWith(QLatin1String("JPEG error #"))) << error.what();
        ++tally.rejected;
    }
}

const char* const kDamagedSources[] = {
    "baseline--testorig.jpg",     "progressive--testimgp.jpg",
    "grey--testimggray.jpg",      "cmyk--pil_sample_cmyk.jpg",
    "arithmetic--testimgari.jpg", "restart-markers--pil_sample_rgb.jpg",
    "subsampling-h2v1--iptc.jpg",
};

TEST(JpegDamage, TruncatedFilesDecodeOrFailCleanly) {
    for (const char* name : kDamagedSources) {
        SCOPED_TRACE(name);
        const QByteArray whole = fileBytes(corpusJpeg(QLatin1String(name)));
        ASSERT_FALSE(whole.isEmpty());
        const QSize fullSize = decodeBytes(whole).image.size();
        Damaged tally;
        const qsizetype step = std::max<qsizetype>(1, whole.size() / 97);
        for (qsizetype cut = 0; cut < whole.size(); cut += step) {
            expectCleanOutcome(whole.left(cut), fullSize, tally);
        }
        // Cuts inside the headers are errors; cuts in the picture data decode with grey filler.
        EXPECT_GT(tally.rejected, 0);
        EXPECT_GT(tally.decoded, 0);
    }
}

TEST(JpegDamage, OverwrittenBytesDecodeOrFailCleanly) {
    std::mt19937 random(20240607);
    for (const char* name : kDamagedSources) {
        SCOPED_TRACE(name);
        const QByteArray whole = fileBytes(corpusJpeg(QLatin1String(name)));
        Damaged tally;
        std::uniform_int_distribution<qsizetype> position(0, whole.size() - 1);
        for (int round = 0; round < 150; ++round) {
            QByteArray damaged = whole;
            const int changes = 1 + round % 8;
            for (int i = 0; i < changes; ++i)
                damaged[position(random)] = char(random() & 0xFF);
            expectCleanOutcome(damaged, std::nullopt, tally);
        }
        // Damage this scattered leaves some copies readable and makes others fail.
        EXPECT_GT(tally.decoded, 0);
        EXPECT_GT(tally.rejected, 0);
    }
}

}  // namespace
}  // namespace kreslix::test
