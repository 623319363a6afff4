#pragma once

#include <QtGlobal>

namespace kreslix {

// The largest side a picture may have: the largest widget that can show it.
inline constexpr qint64 kMaxPictureSide = 16777215;

// Throws KreslixError, naming the size, when a picture of width × height pixels may not be made:
// a negative side, a side above kMaxPictureSide, or pixels that would need more than a quarter
// of the physical memory (so that the old picture, the new one and a copy of it fit at once).
// Zero sides are allowed: they make an empty picture.
void checkPictureSize(qint64 width, qint64 height);

// The same rule for a picture that a decoder makes: the memory the decoder keeps while it makes
// the picture (decoderBytes) counts with the picture's own, against limit bytes.
void checkDecodedPictureSize(qint64 width, qint64 height, qint64 decoderBytes, qint64 limit);

// The most bytes one picture may take, as used by checkPictureSize.
qint64 pictureMemoryLimit();

}  // namespace kreslix
