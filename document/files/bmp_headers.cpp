#include "document/files/bmp_headers.h"

#include "document/files/bmp_bytes.h"
#include "document/files/bmp_errors.h"

namespace kreslix::bmp {

namespace {

constexpr qint64 kCoreHeaderBytes = 12;

bool isKnownHeaderSize(quint32 size) {
    return size == kCoreHeaderBytes || size == 40 || size == 52 || size == 56 || size == 108 ||
           size == 124;
}

void requireBytes(qint64 fileSize, qint64 end) {
    if (end > fileSize)
        failShortFile();
}

bool depthFitsCompression(int bits, quint32 compression, bool core) {
    if (core)
        return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 24;
    switch (compression) {
        case kRgb:
            return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ||
                   bits == 32;
        case kRle8:
            return bits == 8;
        case kRle4:
            return bits == 4;
        case kBitFields:
        case kAlphaBitFields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

void readSizes(const uchar* info, bool core, BmpLayout& layout) {
    if (core) {
        layout.width = readU16(info + 4);
        layout.height = readU16(info + 6);
        return;
    }
    layout.width = readI32(info + 4);
    const qint64 height = readI32(info + 8);
    if (layout.width < 0)
        failInvalid();
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
}

void setDefaultMasks(BmpLayout& layout) {
    if (layout.bitsPerPixel == 16) {
        layout.redMask = 0x7C00;
        layout.greenMask = 0x03E0;
        layout.blueMask = 0x001F;
    } else if (layout.bitsPerPixel == 32) {
        layout.redMask = 0xFF0000;
        layout.greenMask = 0xFF00;
        layout.blueMask = 0xFF;
    }
}

// Reads the masks and returns where the colour table may start.
qint64 readMasks(const uchar* data, qint64 size, quint32 headerSize, BmpLayout& layout) {
    qint64 end = kFileHeaderBytes + headerSize;
    const bool bitFields =
        layout.compression == kBitFields || layout.compression == kAlphaBitFields;
    if (!bitFields) {
        setDefaultMasks(layout);
        return end;
    }
    // A 40-byte header is followed by the masks; the longer ones hold them at the same place.
    const qint64 masksOffset = kFileHeaderBytes + kInfoHeaderBytes;
    if (headerSize == kInfoHeaderBytes) {
        end += layout.compression == kAlphaBitFields ? 16 : 12;
        requireBytes(size, end);
    }
    const quint32 depthBits = layout.bitsPerPixel == 32 ? 0xFFFFFFFFu : 0xFFFFu;
    layout.redMask = readU32(data + masksOffset) & depthBits;
    layout.greenMask = readU32(data + masksOffset + 4) & depthBits;
    layout.blueMask = readU32(data + masksOffset + 8) & depthBits;
    return end;
}

void placeColourTable(const uchar* info, bool core, qint64 tableOffset, BmpLayout& layout) {
    layout.tableOffset = tableOffset;
    layout.tableEntryBytes = core ? 3 : 4;
    if (layout.bitsPerPixel > 8)
        return;  // a table beside true-colour pixels is unused
    const qint64 fullTable = qint64(1) << layout.bitsPerPixel;
    const qint64 coloursUsed = core ? 0 : readU32(info + 32);
    if (coloursUsed > fullTable)
        failInvalid();
    qint64 entries = coloursUsed == 0 ? fullTable : coloursUsed;
    // Some writers store fewer entries than the header implies; the pixel data offset tells.
    if (layout.pixelOffset >= tableOffset) {
        entries = qMin(entries, (layout.pixelOffset - tableOffset) / layout.tableEntryBytes);
    }
    layout.tableEntries = int(entries);
}

void checkPixelData(qint64 size, BmpLayout& layout) {
    layout.rowBytes = paddedRowBytes(layout.width, layout.bitsPerPixel);
    if (layout.pixelOffset > size)
        failShortFile();
    if (layout.compression == kRle8 || layout.compression == kRle4)
        return;
    if (layout.height == 0 || layout.width == 0)
        return;
    // The last row may lack its padding; every other row must be whole.
    const qint64 available = size - layout.pixelOffset;
    if (layout.height - 1 > available / layout.rowBytes)
        failShortFile();
    const qint64 needed =
        layout.rowBytes * (layout.height - 1) + packedRowBytes(layout.width, layout.bitsPerPixel);
    if (needed > available)
        failShortFile();
}

}  // namespace

BmpLayout parseBmpLayout(const uchar* data, qint64 size) {
    // Reads only bytes that requireBytes found within the file, all within kLongestHeadBytes.
    requireBytes(size, 2);
    if (data[0] != 'B' || data[1] != 'M')
        failInvalid();
    requireBytes(size, kFileHeaderBytes + 4);
    const quint32 headerSize = readU32(data + kFileHeaderBytes);
    if (!isKnownHeaderSize(headerSize))
        failInvalid();
    requireBytes(size, kFileHeaderBytes + headerSize);

    const uchar* info = data + kFileHeaderBytes;
    const bool core = headerSize == kCoreHeaderBytes;
    BmpLayout layout;
    readSizes(info, core, layout);
    const int planes = readU16(info + (core ? 8 : 12));
    layout.bitsPerPixel = readU16(info + (core ? 10 : 14));
    layout.compression = core ? quint32(kRgb) : readU32(info + 16);
    if (planes != 1 || !depthFitsCompression(layout.bitsPerPixel, layout.compression, core)) {
        failInvalid();
    }

    const qint64 tableOffset = readMasks(data, size, headerSize, layout);
    layout.pixelOffset = readU32(data + 10);
    if (layout.pixelOffset < tableOffset)
        failInvalid();
    placeColourTable(info, core, tableOffset, layout);
    requireBytes(size, tableOffset + qint64(layout.tableEntries) * layout.tableEntryBytes);
    checkPixelData(size, layout);
    return layout;
}

}  // namespace kreslix::bmp
