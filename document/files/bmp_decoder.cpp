#include "document/files/bmp_decoder.h"

#include "canvas/picture_memory.h"
#include "common/error.h"
#include "document/files/bmp_bytes.h"
#include "document/files/bmp_headers.h"
#include "document/files/bmp_kept_format.h"
#include "document/files/bmp_pixel_rows.h"
#include "document/files/bmp_rle.h"
#include "document/files/picture_size.h"
#include "document/files/read_progress.h"

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

// Picture rows first .. first + count - 1 of the stored rows, as stored rows of their own.
StoredRows bandOf(const StoredRows& rows, int first, int count) {
    const int lowestStored = rows.topDown ? first : rows.height - first - count;
    return StoredRows{rows.data + rows.rowBytes * lowestStored, rows.rowBytes, count, rows.topDown};
}

// The picture's rows first .. first + count - 1 as an image of their own, sharing the pixels.
QImage bandOf(QImage& image, int first, int count) {
    return QImage(image.scanLine(first), image.width(), count, image.bytesPerLine(),
                  image.format());
}

// Decodes the rows a band at a time, `decode(stored band, picture band)` doing each, and tells
// the progress after every band, so that a stop asked for is seen within a fraction of a second.
template <typename Decode>
void decodeInBands(const StoredRows& rows, QImage& image, ReadProgress& progress, Decode decode) {
    constexpr qint64 kBandBytes = qint64(256) << 10;
    const int height = rows.height;
    const int bandRows = int(
        qBound(qint64(1), kBandBytes / qMax<qint64>(rows.rowBytes, 1), qint64(qMax(height, 1))));
    progress.beginStage(0.3, 1, height);
    for (int first = 0; first < height; first += bandRows) {
        const int count = qMin(bandRows, height - first);
        QImage band = bandOf(image, first, count);
        decode(bandOf(rows, first, count), band);
        progress.step(first + count);
    }
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

Picture decodeBmp(const uchar* data, qint64 size, WorkProgress* work) {
    ReadProgress progress(work);
    const BmpLayout layout = parseBmpLayout(data, size);
    progress.step(0);
    Picture picture;
    picture.image = allocatePicture(layout);
    std::unique_ptr<LargeBuffer> expanded;
    // An empty picture (a zero side) has no rows to decode.
    StoredRows rows{data + layout.pixelOffset, layout.rowBytes, picture.image.height(),
                    layout.topDown};
    if (layout.compression == kRle8 || layout.compression == kRle4) {
        expanded = expandRle(data, size, layout, &progress);
        rows.data = expanded->data();
    }
    const int width = int(layout.width);
    const int bits = layout.bitsPerPixel;
    if (bits <= 8) {
        const std::vector<quint32> table = readColourTable(data, layout);
        const IndexColours colours = indexColours(table);
        int largest = 0;
        decodeInBands(rows, picture.image, progress, [&](const StoredRows& band, QImage& out) {
            largest = qMax(largest, decodeIndexedRows(band, bits, colours, out));
        });
        picture.storedFormat = keepIndexedFormat(rows, width, bits, table, largest);
    } else if (bits == 24) {
        decodeInBands(rows, picture.image, progress,
                      [](const StoredRows& band, QImage& out) { decode24BitRows(band, out); });
    } else {
        const std::array<quint32, 3> masks{layout.redMask, layout.greenMask, layout.blueMask};
        quint32 spare = 0;
        decodeInBands(rows, picture.image, progress, [&](const StoredRows& band, QImage& out) {
            spare |= decodeMaskedRows(band, bits, masks, out);
        });
        picture.storedFormat =
            keepMaskedFormat(rows, width, bits, layout.compression != kRgb, masks, spare);
    }
    return picture;
}

}  // namespace kreslix::bmp
