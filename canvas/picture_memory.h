#pragma once

#include <QImage>
#include <QtGlobal>

namespace kreslix {

// Memory of its own mapping, with the kernel asked for huge pages: filling a 200 MB picture then
// costs a few hundred page faults instead of some fifty thousand, which otherwise take more
// time than the filling itself.
class LargeBuffer {
public:
    explicit LargeBuffer(qint64 bytes);  // data() is null when the memory can't be had
    ~LargeBuffer();
    LargeBuffer(const LargeBuffer&) = delete;
    LargeBuffer& operator=(const LargeBuffer&) = delete;

    uchar* data() const { return data_; }
    qint64 size() const { return size_; }

private:
    uchar* data_ = nullptr;
    qint64 size_ = 0;
};

// A Format_RGB32 picture; large ones live in huge pages that are released with the last copy
// of the picture. Null when the memory can't be had.
QImage allocateRgb32(int width, int height);

}  // namespace kreslix
