#include "picture_ops/flips.h"

#include <QRgb>
#include <cstring>

#include "canvas/picture_memory.h"
#include "common/prompts.h"
#include "document/document_state.h"

namespace kreslix {

namespace {

// Swaps two rows through a small buffer on the stack, a chunk at a time, so the swap runs at
// memcpy speed without allocating anything.
void swapRows(uchar* a, uchar* b, qsizetype bytes) {
    constexpr qsizetype kChunk = 4096;
    uchar buffer[kChunk];
    for (qsizetype done = 0; done < bytes; done += kChunk) {
        const auto n = static_cast<std::size_t>(std::min(kChunk, bytes - done));
        std::memcpy(buffer, a + done, n);
        std::memcpy(a + done, b + done, n);
        std::memcpy(b + done, buffer, n);
    }
}

// A counted loop over the pairs, which the compiler turns into vector shuffles.
void reverseRow(QRgb* row, int width) {
    const int pairs = width / 2;
    QRgb* mirror = row + width - 1;
    for (int i = 0; i < pairs; ++i) {
        const QRgb left = row[i];
        row[i] = mirror[-i];
        mirror[-i] = left;
    }
}

bool isEmpty(const QImage& picture) {
    return picture.isNull() || picture.width() == 0 || picture.height() == 0;
}

}  // namespace

void flipAboutHorizontalAxis(QImage& picture) {
    if (isEmpty(picture))
        return;
    const int height = picture.height();
    const qsizetype stride = picture.bytesPerLine();
    const qsizetype rowBytes = qsizetype(picture.width()) * qsizetype(sizeof(QRgb));
    makePictureWritable(picture);
    uchar* bits = picture.bits();
    for (int r = 0; r < height / 2; ++r)
        swapRows(bits + r * stride, bits + (height - 1 - r) * stride, rowBytes);
}

void flipAboutVerticalAxis(QImage& picture) {
    if (isEmpty(picture))
        return;
    const qsizetype stride = picture.bytesPerLine();
    makePictureWritable(picture);
    uchar* bits = picture.bits();
    for (int y = 0; y < picture.height(); ++y)
        reverseRow(reinterpret_cast<QRgb*>(bits + y * stride), picture.width());
}

void Prevratitvodorovne1Click(DocumentState& document, Prompts& prompts) {
    BusyGuard busy(prompts);
    flipAboutHorizontalAxis(document.image());
    document.pixelsChanged(document.image().rect());
}

void Prevrtipodazvislejosi1Click(DocumentState& document, Prompts& prompts) {
    BusyGuard busy(prompts);
    flipAboutVerticalAxis(document.image());
    document.pixelsChanged(document.image().rect());
}

}  // namespace kreslix
