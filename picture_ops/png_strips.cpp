#include "picture_ops/png_strips.h"

#include <zlib.h>

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "document/files/picture.h"

namespace kreslix {

namespace {

// Rows are filtered and handed to zlib a group at a time; each group is compressed with the
// strategy that suits it.
constexpr int kGroupRows = 16;
// Below this many rows per strip a thread of its own costs more than it saves.
constexpr int kLeastStripRows = 256;
// The PNG row filter used for every row: "Sub", each byte minus the same byte of the pixel to
// its left. Flat areas become runs of zeros and smooth photos small numbers, at the cost of
// one subtraction per byte.
constexpr unsigned char kSubFilter = 1;

// One strip's share of the zlib stream, and the checksums that join it to the others.
struct Strip {
    int firstRow = 0;
    int endRow = 0;
    std::unique_ptr<unsigned char[]> deflated;  // left uninitialised: only the written part counts
    size_t deflatedBytes = 0;
    uLong adler = 1;          // Adler-32 of the strip's filtered rows
    uLong filteredBytes = 0;  // their length
    uLong crc = 0;            // CRC-32 of the deflated data, computed on the strip's thread
    bool ok = false;
};

// Filters one RGB32 row into `out`: the filter byte, then R, G, B differences.
// Returns how many of the written bytes are zero, a cheap measure of flatness.
qsizetype filterRow(const QRgb* pixels, int width, unsigned char* out) {
    out[0] = kSubFilter;
    unsigned char* to = out + 1;
    QRgb left = 0;
    qsizetype zeros = 0;
    for (int x = 0; x < width; ++x) {
        const QRgb p = pixels[x];
        const auto r = static_cast<unsigned char>(qRed(p) - qRed(left));
        const auto g = static_cast<unsigned char>(qGreen(p) - qGreen(left));
        const auto b = static_cast<unsigned char>(qBlue(p) - qBlue(left));
        to[0] = r;
        to[1] = g;
        to[2] = b;
        to += 3;
        zeros += (r == 0) + (g == 0) + (b == 0);
        left = p;
    }
    return zeros;
}

// Compresses the strip's rows as raw deflate data ending on a byte boundary (the last strip
// ends the stream). Mostly flat groups of rows, a drawing's background, go through zlib's run
// matcher; the others, a photo's noisy detail, through Huffman coding alone, which is several
// times faster there and hardly larger.
void compressStrip(const QImage& image, Strip& strip, bool last, const std::atomic<bool>* stop) {
    const int width = image.width();
    const qsizetype rowBytes = 1 + qsizetype(width) * 3;
    z_stream zs{};
    if (deflateInit2(&zs, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_HUFFMAN_ONLY) != Z_OK)
        return;
    int strategy = Z_HUFFMAN_ONLY;
    try {
        const uLong rows = uLong(strip.endRow - strip.firstRow);
        const size_t capacity = deflateBound(&zs, rows * uLong(rowBytes)) + 64;
        strip.deflated = std::make_unique_for_overwrite<unsigned char[]>(capacity);
        std::vector<unsigned char> group(size_t(rowBytes) * kGroupRows);
        zs.next_out = strip.deflated.get();
        zs.avail_out = uInt(std::min<size_t>(capacity, UINT_MAX));
        for (int y = strip.firstRow; y < strip.endRow; y += kGroupRows) {
            if (stop && stop->load(std::memory_order_relaxed)) {
                deflateEnd(&zs);
                return;
            }
            const int rowsHere = std::min(kGroupRows, strip.endRow - y);
            qsizetype zeros = 0;
            for (int r = 0; r < rowsHere; ++r) {
                const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y + r));
                zeros += filterRow(pixels, width, group.data() + r * rowBytes);
            }
            const qsizetype bytes = rowBytes * rowsHere;
            const int wanted = zeros * 2 > bytes ? Z_RLE : Z_HUFFMAN_ONLY;
            if (wanted != strategy) {
                deflateParams(&zs, Z_BEST_SPEED, wanted);
                strategy = wanted;
            }
            strip.adler = adler32_z(strip.adler, group.data(), size_t(bytes));
            strip.filteredBytes += uLong(bytes);
            zs.next_in = group.data();
            zs.avail_in = uInt(bytes);
            const bool end = y + rowsHere >= strip.endRow;
            const int flush = !end ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
            if (deflate(&zs, flush) == Z_STREAM_ERROR || zs.avail_in != 0) {
                deflateEnd(&zs);
                return;
            }
        }
    } catch (const std::bad_alloc&) {
        deflateEnd(&zs);
        return;
    }
    strip.deflatedBytes = size_t(zs.total_out);
    deflateEnd(&zs);
    strip.crc = crc32_z(0, strip.deflated.get(), strip.deflatedBytes);
    strip.ok = true;
}

void appendUint32(QByteArray& out, quint32 value) {
    const quint32 big = qToBigEndian(value);
    out.append(reinterpret_cast<const char*>(&big), 4);
}

// Appends a whole chunk: length, type, data and the CRC of type and data.
void appendChunk(QByteArray& out, const char* type, const QByteArray& data) {
    appendUint32(out, quint32(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    const auto* bytes = reinterpret_cast<const Bytef*>(out.constData() + start);
    appendUint32(out, quint32(crc32_z(0, bytes, size_t(out.size() - start))));
}

QByteArray header(int width, int height) {
    QByteArray data;
    appendUint32(data, quint32(width));
    appendUint32(data, quint32(height));
    data.append(char(8));     // bits per sample
    data.append(char(2));     // colour type: RGB
    data.append(3, char(0));  // deflate, adaptive filtering, no interlace
    return data;
}

int stripCount(int height, int threads) {
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    return std::clamp(height / kLeastStripRows, 1, threads);
}

}  // namespace

QByteArray encodePngInStrips(const QImage& source, const std::atomic<bool>* stop, int threads) {
    if (source.isNull())
        return {};
    const QImage image = withRgb32Pixels(source);
    const int parts = stripCount(image.height(), threads);
    std::vector<Strip> strips(static_cast<size_t>(parts));
    for (int i = 0; i < parts; ++i) {
        strips[size_t(i)].firstRow = int(qint64(image.height()) * i / parts);
        strips[size_t(i)].endRow = int(qint64(image.height()) * (i + 1) / parts);
    }
    {
        std::vector<std::jthread> helpers;
        std::vector<int> left;  // strips whose thread could not be had, done here instead
        for (int i = 1; i < parts; ++i) {
            try {
                helpers.emplace_back(
                    [&, i] { compressStrip(image, strips[size_t(i)], i == parts - 1, stop); });
            } catch (const std::system_error&) {
                left.push_back(i);
            }
        }
        compressStrip(image, strips[0], parts == 1, stop);
        for (const int i : left)
            compressStrip(image, strips[size_t(i)], i == parts - 1, stop);
    }
    uLong adler = 1;
    qsizetype total = 64;
    for (const Strip& strip : strips) {
        if (!strip.ok)
            return {};
        adler = adler32_combine(adler, strip.adler, z_off_t(strip.filteredBytes));
        total += qsizetype(strip.deflatedBytes) + 12;
    }

    QByteArray png;
    try {
        png.reserve(total + 64);
        png.append("\x89PNG\r\n\x1a\n", 8);
        appendChunk(png, "IHDR", header(image.width(), image.height()));
        // One IDAT chunk per strip: the zlib header goes before the first strip's data, the
        // combined Adler-32 after the last's.
        for (int i = 0; i < parts; ++i) {
            const Strip& strip = strips[size_t(i)];
            const qsizetype length =
                qsizetype(strip.deflatedBytes) + (i == 0 ? 2 : 0) + (i == parts - 1 ? 4 : 0);
            appendUint32(png, quint32(length));
            // The chunk's CRC joins the one of its head to the strip's own.
            const qsizetype start = png.size();
            png.append("IDAT", 4);
            if (i == 0)
                png.append("\x78\x01", 2);  // deflate, 32 KiB window, fastest level
            const auto* head = reinterpret_cast<const Bytef*>(png.constData() + start);
            uLong crc = crc32_z(0, head, size_t(png.size() - start));
            crc = crc32_combine(crc, strip.crc, z_off_t(strip.deflatedBytes));
            png.append(reinterpret_cast<const char*>(strip.deflated.get()),
                       qsizetype(strip.deflatedBytes));
            if (i == parts - 1) {
                const qsizetype tail = png.size();
                appendUint32(png, quint32(adler));
                crc = crc32_z(crc, reinterpret_cast<const Bytef*>(png.constData() + tail), 4);
            }
            appendUint32(png, quint32(crc));
        }
        appendChunk(png, "IEND", {});
    } catch (const std::bad_alloc&) {
        return {};
    }
    return png;
}

}  // namespace kreslix
