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

// Gives the picture pixels of its own when it shares them with another image (the clipboard's
// after Copy), so that writing to them changes nothing else. Every write into a picture's
// pixels comes here first: Qt's own copy-on-write leaves a null picture when the memory for the
// copy can't be had, whereas this throws KreslixError and leaves the picture as it was.
void makePictureWritable(QImage& picture);

// Throws the KreslixError of a change to the picture that found no memory for its pixels.
[[noreturn]] void failNoMemoryForChange(const QImage& picture);

}  // namespace kreslix
