#include "canvas/picture_memory.h"

#include <sys/mman.h>

#include <cstring>

#include "common/error.h"

namespace kreslix {

namespace {

// Below this a picture takes ordinary memory: huge pages would waste more than they save.
constexpr qint64 kLargePicture = qint64(4) << 20;

void* mapPages(qint64 bytes) {
    void* memory =
        ::mmap(nullptr, size_t(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return nullptr;
    ::madvise(memory, size_t(bytes), MADV_HUGEPAGE);  // only a hint: ignored where unsupported
    return memory;
}

// The mapping of a picture, remembered for its release.
struct PictureMapping {
    void* memory;
    qint64 bytes;
};

void releasePicture(void* info) {
    auto* mapping = static_cast<PictureMapping*>(info);
    ::munmap(mapping->memory, size_t(mapping->bytes));
    delete mapping;
}

}  // namespace

LargeBuffer::LargeBuffer(qint64 bytes) : size_(bytes) {
    if (bytes > 0)
        data_ = static_cast<uchar*>(mapPages(bytes));
}

LargeBuffer::~LargeBuffer() {
    if (data_)
        ::munmap(data_, size_t(size_));
}

QImage allocateRgb32(int width, int height) {
    const qint64 bytesPerLine = qint64(width) * 4;
    const qint64 bytes = bytesPerLine * height;
    if (bytes < kLargePicture || bytesPerLine > 0x7FFFFFFF) {
        return QImage(width, height, QImage::Format_RGB32);
    }
    void* memory = mapPages(bytes);
    if (!memory)
        return QImage();
    auto* mapping = new PictureMapping{memory, bytes};
    return QImage(static_cast<uchar*>(memory), width, height, qsizetype(bytesPerLine),
                  QImage::Format_RGB32, releasePicture, mapping);
}

void failNoMemoryForChange(const QImage& picture) {
    throw KreslixError(QStringLiteral("Obrázok %1 × %2 bodov sa nedá zmeniť: nie je dosť pamäte")
                           .arg(picture.width())
                           .arg(picture.height()));
}

void makePictureWritable(QImage& picture) {
    if (picture.isNull() || picture.isDetached())
        return;
    const bool rgb32 = picture.format() == QImage::Format_RGB32;
    // Huge pages for the copy of a large picture, as for the picture itself.
    QImage own = rgb32 ? allocateRgb32(picture.width(), picture.height()) : picture.copy();
    if (own.isNull())
        failNoMemoryForChange(picture);
    if (rgb32) {
        const size_t rowBytes = size_t(picture.width()) * sizeof(QRgb);
        uchar* to = own.bits();
        for (int y = 0; y < picture.height(); ++y)
            std::memcpy(to + y * own.bytesPerLine(), picture.constScanLine(y), rowBytes);
    }
    picture = std::move(own);
}

}  // namespace kreslix
