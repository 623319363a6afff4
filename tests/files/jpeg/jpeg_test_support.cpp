#include "jpeg_test_support.h"

#include <QColor>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>
#include <cstdlib>

#include "document/files/jpeg_decoder.h"

namespace kreslix::test {

QString corpusJpeg(const QString& name) {
    return QStringLiteral(KRESLIX_TESTDATA_DIR "/jpeg/") + name;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

Picture decodeBytes(const QByteArray& bytes) {
    return decodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
}

QByteArray compressJpeg(int width, int height, int components, J_COLOR_SPACE inSpace,
                        const std::function<void(jpeg_compress_struct&)>& setup,
                        const std::function<void(int y, uchar* row)>& fillRow) {
    std::vector<uchar> row(size_t(width) * size_t(components));
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = inSpace;
    jpeg_set_defaults(&cinfo);
    setup(cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    JSAMPROW rows[1] = {row.data()};
    for (int y = 0; y < height; ++y) {
        fillRow(y, row.data());
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

std::optional<QImage> djpegDecode(const QString& path, const QStringList& options) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    if (program.isEmpty())
        return std::nullopt;
    QProcess djpeg;
    djpeg.start(program, QStringList(options) << path);
    // Exit status 2 means the file decoded with warnings (corrupt data), which the reader ignores.
    const bool finished =
        djpeg.waitForFinished(60000) && djpeg.exitStatus() == QProcess::NormalExit;
    if (!finished || (djpeg.exitCode() != 0 && djpeg.exitCode() != 2))
        return QImage();
    return QImage::fromData(djpeg.readAllStandardOutput());
}

namespace {

template <typename Combine>
int overPixels(const QImage& a, const QImage& b, Combine combine) {
    int result = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            result = combine(result, a.pixel(x, y), b.pixel(x, y));
    }
    return result;
}

}  // namespace

int differingPixels(const QImage& a, const QImage& b) {
    return overPixels(a, b, [](int count, QRgb p, QRgb q) {
        return count + ((p & 0xFFFFFF) != (q & 0xFFFFFF) ? 1 : 0);
    });
}

int largestChannelDifference(const QImage& a, const QImage& b) {
    return overPixels(a, b, [](int largest, QRgb p, QRgb q) {
        largest = std::max(largest, std::abs(qRed(p) - qRed(q)));
        largest = std::max(largest, std::abs(qGreen(p) - qGreen(q)));
        return std::max(largest, std::abs(qBlue(p) - qBlue(q)));
    });
}

std::vector<CorpusExpectation> jpegCorpusExpectations() {
    std::vector<CorpusExpectation> rows;
    QFile file(QStringLiteral(KRESLIX_TESTDATA_DIR "/expect.tsv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(QLatin1Char('\t'));
        if (fields.size() < 7 || !fields[0].startsWith(QLatin1String("jpeg/")))
            continue;
        CorpusExpectation row;
        row.name = fields[0].mid(5);
        row.opens = fields[1] == QLatin1String("opens");
        row.width = fields[2].toInt();
        row.height = fields[3].toInt();
        row.firm = fields[4] == QLatin1String("yes");
        row.note = fields[6];
        rows.push_back(row);
    }
    return rows;
}

}  // namespace kreslix::test
