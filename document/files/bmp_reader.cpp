#include "document/files/bmp_reader.h"

#include <QFile>
#include <algorithm>
#include <memory>

#include "canvas/picture_memory.h"
#include "common/error.h"
#include "document/files/bmp_bytes.h"
#include "document/files/bmp_decoder.h"
#include "document/files/bmp_errors.h"
#include "document/files/bmp_pixel_rows.h"
#include "document/files/picture_size.h"
#include "document/files/read_progress.h"
#include "document/files/regular_file.h"

namespace kreslix {

namespace bmp {

namespace {

// Rows of a 24-bit file are read this many bytes at a time: the band stays in the processor's
// cache between the read and the decoding, and no memory the size of the file is needed.
constexpr qint64 kBandBytes = qint64(1) << 20;

// Pixel data never needs more bytes than the largest picture allowed takes in memory (run-length
// data of such a picture included), so bytes past that are not read.
qint64 bytesWorthReading() {
    return pictureMemoryLimit() + (qint64(1) << 20);
}

// Reads exactly bytes bytes from the file's current position; a file that ends sooner (also one
// shortened while it is read) fails with "Stream read error".
void readFully(QFile& file, uchar* into, qint64 bytes) {
    qint64 done = 0;
    while (done < bytes) {
        const qint64 got = file.read(reinterpret_cast<char*>(into) + done, bytes - done);
        if (got <= 0)
            failShortFile();
        done += got;
    }
}

// The bytes from the file's start to the end of the pixel data the headers describe: the rows
// exactly for uncompressed data, and for run-length data a bound no encoding of the picture
// exceeds (four bytes a pixel and two a row end, with room to spare). Whatever follows is never
// read, however long it is.
qint64 bytesTheHeadersDescribe(const BmpLayout& layout) {
    if (layout.compression == kRle8 || layout.compression == kRle4) {
        qint64 runs = 0;
        if (qMulOverflow(layout.width + 2, layout.height, &runs) ||
            qMulOverflow(runs, qint64(4), &runs) || runs > bytesWorthReading()) {
            return bytesWorthReading();
        }
        return layout.pixelOffset + runs + (qint64(1) << 20);
    }
    if (layout.width == 0 || layout.height == 0)
        return layout.pixelOffset;
    // checkPixelData has found these rows in the file, so the sum cannot overflow.
    return layout.pixelOffset + layout.rowBytes * (layout.height - 1) +
           packedRowBytes(layout.width, layout.bitsPerPixel);
}

// The file up to the end of its pixel data in one read: decoding then works on memory only.
Picture decodeWholeFile(QFile& file, const BmpLayout& layout, WorkProgress* progress) {
    const LargeBuffer bytes(std::min({file.size(), bytesWorthReading(),
                                      qMax(kLongestHeadBytes, bytesTheHeadersDescribe(layout))}));
    if (bytes.size() > 0 && !bytes.data())
        failShortFile();
    if (!file.seek(0))
        failShortFile();
    readFully(file, bytes.data(), bytes.size());
    return decodeBmp(bytes.data(), bytes.size(), progress);
}

// Uncompressed 24-bit rows go from the file through one small band into the picture. The
// layout was checked against the file's size, so the picture is allocated only for rows the
// file holds; a file shortened since fails its read, and the picture is dropped unreturned.
Picture decode24BitBands(QFile& file, const BmpLayout& layout, qint64 bandBytes,
                         WorkProgress* work) {
    ReadProgress progress(work);
    Picture picture;
    picture.image = allocatePicture(layout);
    if (picture.image.isNull())
        return picture;  // an empty picture has no rows
    const int height = picture.image.height();
    const int bandRows = int(qBound(qint64(1), bandBytes / layout.rowBytes, qint64(height)));
    const std::unique_ptr<uchar[]> band(new uchar[size_t(bandRows * layout.rowBytes)]);
    if (!file.seek(layout.pixelOffset))
        failShortFile();
    const StoredRows rows{nullptr, layout.rowBytes, height, layout.topDown};
    progress.beginStage(0, 1, height);
    for (int first = 0; first < height; first += bandRows) {
        const int count = qMin(bandRows, height - first);
        // The file's last row may lack its padding.
        const bool last = first + count == height;
        const qint64 bytes = layout.rowBytes * (count - 1) +
                             (last ? packedRowBytes(layout.width, 24) : layout.rowBytes);
        readFully(file, band.get(), bytes);
        decode24BitBand(rows, band.get(), first, count, picture.image);
        progress.step(first + count);
    }
    return picture;
}

}  // namespace

void checkBmpExtension(const QString& path) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    if (extension.compare(QLatin1String("bmp"), Qt::CaseInsensitive) != 0) {
        throw KreslixError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    }
}

Picture readBmpFile(const QString& path, qint64 bandBytes, WorkProgress* progress) {
    checkBmpExtension(path);
    RegularFileForReading plain(path);
    QFile file;
    if (!file.open(plain.descriptor(), QIODevice::ReadOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        throw KreslixError(QStringLiteral("Cannot open file %1").arg(path));
    }
    plain.release();
    // The headers first, checked against the file's size before any picture is allocated.
    const qint64 size = file.size();
    uchar head[kLongestHeadBytes];
    readFully(file, head, qMin(size, kLongestHeadBytes));
    const BmpLayout layout = parseBmpLayout(head, size);
    if (layout.bitsPerPixel == 24 && layout.compression == kRgb)
        return decode24BitBands(file, layout, bandBytes, progress);
    return decodeWholeFile(file, layout, progress);
}

}  // namespace bmp

Picture readBmp(const QString& path, WorkProgress* progress) {
    return bmp::readBmpFile(path, bmp::kBandBytes, progress);
}

}  // namespace kreslix
