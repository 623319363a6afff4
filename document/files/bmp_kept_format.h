#pragma once

#include <array>
#include <memory>
#include <vector>

#include "document/files/bmp_pixel_rows.h"
#include "document/files/stored_bmp_format.h"

namespace kreslix::bmp {

// The format of a 1-, 2-, 4- or 8-bit file: its depth and colour table, with the indices as read
// when colours alone can't give them back (duplicate colours, or indices beyond the table,
// which largestIndex tells).
std::shared_ptr<const StoredBmpFormat> keepIndexedFormat(const StoredRows& rows, int width,
                                                         int bitsPerPixel,
                                                         const std::vector<quint32>& table,
                                                         int largestIndex);

// The format of a 16- or 32-bit file: its depth and masks, with the bits outside the masks when
// any pixel has some (spareSeen).
std::shared_ptr<const StoredBmpFormat> keepMaskedFormat(const StoredRows& rows, int width,
                                                        int bitsPerPixel, bool bitFields,
                                                        const std::array<quint32, 3>& masks,
                                                        quint32 spareSeen);

}  // namespace kreslix::bmp
