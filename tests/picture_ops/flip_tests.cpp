#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QSignalSpy>

#include "document/document_state.h"
#include "picture_ops/flips.h"
#include "tests/support/scripted_prompts.h"

namespace kreslix::testing {
namespace {

QImage randomPicture(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000u | (random.generate() & 0x00FFFFFFu));
    }
    return image;
}

// The picture whose pixel (x, y) is the original's pixel at map(x, y).
template <typename Map>
QImage permuted(const QImage& original, Map map) {
    QImage expected(original.size(), original.format());
    for (int y = 0; y < original.height(); ++y) {
        for (int x = 0; x < original.width(); ++x) {
            const QPoint from = map(x, y);
            expected.setPixel(x, y, original.pixel(from));
        }
    }
    return expected;
}

// Odd and even sizes, one-pixel edges, and rows longer than the swap's chunk of 4096 bytes.
class FlipSizes : public ::testing::TestWithParam<QSize> {};

TEST_P(FlipSizes, SwapRowsOrColumnsAroundTheMiddleAndUndoThemselves) {
    const QSize size = GetParam();
    const int w = size.width(), h = size.height();
    const QImage original = randomPicture(w, h, quint32(w * 1000 + h));

    QImage picture = original;
    flipAboutHorizontalAxis(picture);
    EXPECT_EQ(picture, permuted(original, [h](int x, int y) { return QPoint(x, h - 1 - y); }));
    QImage twice = picture;
    flipAboutHorizontalAxis(twice);
    EXPECT_EQ(twice, original);

    flipAboutVerticalAxis(picture);
    EXPECT_EQ(picture,
              permuted(original, [w, h](int x, int y) { return QPoint(w - 1 - x, h - 1 - y); }))
        << "both flips turn the picture by 180 degrees";
    flipAboutHorizontalAxis(picture);
    EXPECT_EQ(picture, permuted(original, [w](int x, int y) { return QPoint(w - 1 - x, y); }));
    flipAboutVerticalAxis(picture);
    EXPECT_EQ(picture, original);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FlipSizes,
                         ::testing::Values(QSize(3, 3), QSize(4, 2), QSize(1, 1), QSize(1, 6),
                                           QSize(7, 1), QSize(33, 17), QSize(1500, 3),
                                           QSize(1025, 4)));

TEST(Flips, EmptyPictureStaysEmpty) {
    QImage none;
    flipAboutHorizontalAxis(none);
    flipAboutVerticalAxis(none);
    EXPECT_TRUE(none.isNull());
}

// After a Copy the clipboard shares the picture's pixels; a flip must not change its copy.
TEST(Flips, PixelsSharedWithAnotherImageStayAsTheyWere) {
    QImage picture = randomPicture(9, 5, 7);
    const QImage shared = picture;
    const QImage before = shared.copy();
    flipAboutHorizontalAxis(picture);
    flipAboutVerticalAxis(picture);
    EXPECT_EQ(shared, before);
    EXPECT_NE(picture, before);
}

// The flips leave the flag and the Save button alone and have the whole picture repainted.
TEST(FlipCommands, TouchNeitherFlagNorSaveButtonAndRepaintThePicture) {
    for (const bool modified : {false, true}) {
        DocumentState document;
        document.setModified(modified);
        document.setSaveButtonEnabled(!modified);
        document.replacePicture({randomPicture(6, 4, 3), nullptr});
        const QImage original = document.image().copy();
        QSignalSpy repainted(&document, &DocumentState::pictureChanged);

        testing::ScriptedPrompts prompts;
        Prevratitvodorovne1Click(document, prompts);
        Prevrtipodazvislejosi1Click(document, prompts);

        EXPECT_EQ(document.modified(), modified ? 1 : 0);
        EXPECT_EQ(document.saveButtonEnabled(), !modified);
        EXPECT_EQ(document.image().pixel(0, 0), original.pixel(5, 3));
        ASSERT_EQ(repainted.count(), 2);
        EXPECT_EQ(repainted.last().at(0).toRect(), QRect(0, 0, 6, 4));
    }
}

}  // namespace
}  // namespace kreslix::testing
