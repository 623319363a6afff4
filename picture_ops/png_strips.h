#pragma once

#include <QByteArray>
#include <QImage>
#include <atomic>

namespace kreslix {

// Encodes the image as an 8-bit RGB PNG for handing to other programs, built for speed rather
// than size: each row is filtered with one cheap filter, and horizontal strips of rows are
// compressed at zlib's fastest level on threads of their own, then joined into the one zlib
// stream a PNG holds (each strip but the last ends on a byte boundary through a sync flush, and
// the checksums are combined). Alpha is dropped: the picture has none. Returns an empty array
// when `stop` turns true before the end, or when the memory for the result can't be had.
// `threads` 0 means one per processor.
QByteArray encodePngInStrips(const QImage& image, const std::atomic<bool>* stop = nullptr,
                             int threads = 0);

}  // namespace kreslix
