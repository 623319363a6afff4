#include "document/files/bmp_decoder.h"

#include "canvas/picture_memory.h"
#include "common/error.h"
#include "document/files/bmp_bytes.h"
#include "document/files/bmp_headers.h"
#include "document/files/bmp_kept_format.h"
#include "document/files/bmp_pixel_rows.h"
#include "document/files/bmp_rle.h"
#include "document/files/picture_size.h"

namespace kreslix::bmp {

namespace {

// The colour table as 32-bit entries, blue in the low byte; 3-byte entries get a zero fourth.
std::vector<quint32> readColourTable(const uchar* data, const BmpLayout& layout) {
    std::vector<quint32> table(size_t(layout.tableEntries));
    const uchar* entry = data + layout.tableOffset;
    for (quint32& colour : table) {
        colour = quint32(entry[0]) | (quint32(entry[1]) << 8) | (quint32(entry[2]) << 16);
        if (layout.tableEntryBytes == 4)
            colour |= quint32(entry[3]) << 24;
        entry += layout.tableEntryBytes;
    }
    return table;
}

IndexColours indexColours(const std::vector<quint32>& table) {
    IndexColours colours;
    colours.fill(qRgb(0, 0, 0));
    for (size_t i = 0; i < table.size() && i < colours.size(); ++i) {
        colours[i] = 0xFF000000u | (table[i] & 0xFFFFFF);
    }
    return colours;
}

}  // namespace

QImage allocatePicture(const BmpLayout& layout) {
    checkPictureSize(layout.width, layout.height);
    QImage image = allocateRgb32(int(layout.width), int(layout.height));
    if (image.isNull() && layout.width > 0 && layout.height > 0) {
        throw KreslixError(QStringLiteral("Na obrázok %1 × %2 bodov nie je dosť pamäte")
                               .arg(layout.width)
                               .arg(layout.height));
    }
    return image;
}

Picture decodeBmp(const uchar* data, qint64 size) {
    const BmpLayout layout = parseBmpLayout(data, size);
    Picture picture;
    picture.image = allocatePicture(layout);
    QByteArray expanded;
    // An empty picture (a zero side) has no rows to decode.
    StoredRows rows{data + layout.pixelOffset, layout.rowBytes, picture.image.height(),
                    layout.topDown};
    if (layout.compression == kRle8 || layout.compression == kRle4) {
        expanded = expandRle(data, size, layout);
        rows.data = reinterpret_cast<const uchar*>(expanded.constData());
    }
    const int width = int(layout.width);
    const int bits = layout.bitsPerPixel;
    if (bits <= 8) {
        const std::vector<quint32> table = readColourTable(data, layout);
        const int largest = decodeIndexedRows(rows, bits, indexColours(table), picture.image);
        picture.storedFormat = keepIndexedFormat(rows, width, bits, table, largest);
    } else if (bits == 24) {
        decode24BitRows(rows, picture.image);
    } else {
        const std::array<quint32, 3> masks{layout.redMask, layout.greenMask, layout.blueMask};
        const quint32 spare = decodeMaskedRows(rows, bits, masks, picture.image);
        picture.storedFormat =
            keepMaskedFormat(rows, width, bits, layout.compression != kRgb, masks, spare);
    }
    return picture;
}

}  // namespace kreslix::bmp
