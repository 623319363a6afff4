#include "canvas/picture_memory.h"

#include <sys/mman.h>

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

}  // namespace kreslix
