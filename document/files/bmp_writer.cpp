#include "document/files/bmp_writer.h"

#include <algorithm>
#include <new>
#include <vector>

#include "common/error.h"
#include "document/files/bmp_bytes.h"
#include "document/files/bmp_headers.h"
#include "document/files/bmp_row_encoder.h"
#include "document/files/bmp_writer_sink.h"
#include "document/files/save_target.h"
#include "document/files/stored_bmp_format.h"

namespace kreslix {

namespace bmp {

namespace {

// Rows are encoded into a buffer small enough to stay in the processor's cache until it is
// handed to the file.
constexpr qint64 kBufferBytes = 512 << 10;
constexpr quint32 kPixelsPerMetre = 3780;  // 96 dots per inch

// The file header's size field and the info header's image size are unsigned 32-bit numbers:
// no larger file can be described.
constexpr qint64 kLargestFile = 0xFFFFFFFF;

bool hasBitFields(const StoredBmpFormat* format) {
    return format && format->bitsPerPixel > 8 && format->bitFields;
}

size_t colourTableEntries(const StoredBmpFormat* format) {
    return format && format->bitsPerPixel <= 8 ? format->colourTable.size() : 0;
}

// File header, info header, masks and colour table.
qint64 headerBytes(const StoredBmpFormat* format) {
    return kFileHeaderBytes + kInfoHeaderBytes + (hasBitFields(format) ? 12 : 0) +
           qint64(colourTableEntries(format)) * 4;
}

// Writes the headers; returns their length.
qint64 putHeaders(uchar* out, const QImage& image, const StoredBmpFormat* format,
                  const RowEncoder& encoder) {
    const bool bitFields = hasBitFields(format);
    const size_t entries = colourTableEntries(format);
    const qint64 headers = headerBytes(format);
    const qint64 imageBytes = encoder.rowBytes() * image.height();
    out[0] = 'B';
    out[1] = 'M';
    writeU32(out + 2, quint32(headers + imageBytes));
    writeU32(out + 6, 0);
    writeU32(out + 10, quint32(headers));
    uchar* info = out + kFileHeaderBytes;
    writeU32(info, quint32(kInfoHeaderBytes));
    writeU32(info + 4, quint32(image.width()));
    writeU32(info + 8, quint32(image.height()));
    writeU16(info + 12, 1);
    writeU16(info + 14, quint16(encoder.bitsPerPixel()));
    writeU32(info + 16, bitFields ? quint32(kBitFields) : quint32(kRgb));
    writeU32(info + 20, quint32(imageBytes));
    writeU32(info + 24, kPixelsPerMetre);
    writeU32(info + 28, kPixelsPerMetre);
    writeU32(info + 32, quint32(entries));
    writeU32(info + 36, 0);
    uchar* next = info + kInfoHeaderBytes;
    if (bitFields) {
        writeU32(next, format->redMask);
        writeU32(next + 4, format->greenMask);
        writeU32(next + 8, format->blueMask);
        next += 12;
    }
    for (size_t i = 0; i < entries; ++i, next += 4)
        writeU32(next, format->colourTable[i]);
    return headers;
}

// Writes the whole file in one pass through a large buffer. Returns false when a kept format
// can't hold the picture: a pixel doesn't fit it (the target may then be written in part), or
// the file would be larger than its headers can tell (the target is left alone). A 24-bit file
// that large is refused before anything is written.
bool writeInFormat(const QString& path, const QString& chosen, const QImage& image,
                   const StoredBmpFormat* format, const ByteSink& sink) {
    const RowEncoder encoder(image, format);
    const qint64 fileBytes = headerBytes(format) + encoder.rowBytes() * image.height();
    if (fileBytes > kLargestFile) {
        if (format)
            return false;
        throw KreslixError(QStringLiteral("Obrázok %1 × %2 bodov sa nedá uložiť: súbor BMP by mal "
                                          "%3 MB, viac, ako jeho formát dokáže opísať (4 GB)")
                               .arg(image.width())
                               .arg(image.height())
                               .arg(fileBytes >> 20));
    }
    const qint64 headerRoom = kFileHeaderBytes + kInfoHeaderBytes + 12 + 256 * 4;
    std::vector<uchar> buffer(size_t(std::max(kBufferBytes, headerRoom + encoder.rowBytes())));
    BmpFileOutput output(path, sink, chosen);
    qint64 filled = putHeaders(buffer.data(), image, format, encoder);
    for (int y = image.height() - 1; y >= 0; --y) {
        if (filled + encoder.rowBytes() > qint64(buffer.size())) {
            output.write(reinterpret_cast<const char*>(buffer.data()), filled);
            filled = 0;
        }
        if (!encoder.encodeRow(y, buffer.data() + filled))
            return false;
        filled += encoder.rowBytes();
    }
    output.write(reinterpret_cast<const char*>(buffer.data()), filled);
    output.commit();
    return true;
}

}  // namespace

void writePictureThrough(const QString& chosen, const Picture& picture, const ByteSink& sink) {
    // Written by its resolved name from here on: no link is looked up again in userspace.
    const QString path = resolveSaveTarget(chosen);
    checkWritableTarget(path, chosen);
    const QImage image = withRgb32Pixels(picture.image);
    const StoredBmpFormat* kept = picture.storedFormat.get();
    if (kept && RowEncoder::canKeep(*kept) && writeInFormat(path, chosen, image, kept, sink))
        return;
    // No kept format, or the user drew a colour it can't hold: 24 bits hold every colour.
    writeInFormat(path, chosen, image, nullptr, sink);
}

}  // namespace bmp

void writePicture(const QString& path, const Picture& picture) {
    bmp::writePictureThrough(path, picture, bmp::plainByteSink());
}

QByteArray bmpFileBytes(const QImage& source, const std::atomic<bool>* stop) {
    if (source.isNull())
        return {};
    const QImage image = withRgb32Pixels(source);
    const bmp::RowEncoder encoder(image, nullptr);
    const qint64 headers = bmp::headerBytes(nullptr);
    const qint64 fileBytes = headers + encoder.rowBytes() * image.height();
    if (fileBytes > bmp::kLargestFile)
        return {};
    QByteArray bytes;
    try {
        bytes = QByteArray(fileBytes, Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        return {};
    }
    auto* out = reinterpret_cast<uchar*>(bytes.data());
    bmp::putHeaders(out, image, nullptr, encoder);
    uchar* row = out + headers;
    for (int y = image.height() - 1; y >= 0; --y, row += encoder.rowBytes()) {
        if (stop && (y & 63) == 0 && stop->load(std::memory_order_relaxed))
            return {};
        encoder.encodeRow(y, row);
    }
    return bytes;
}

}  // namespace kreslix
