// Opens picture files as Open does and prints one line per file:
//   PATH ok WIDTH HEIGHT BITS_PER_PIXEL MILLISECONDS   or   PATH error MESSAGE
// (tab-separated). With --ppm DIR each decoded picture is also written to DIR as a binary PPM.
// Exit status 0 when every file was read, 1 otherwise.
#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <cstdio>

#include "common/error.h"
#include "document/files/jpeg_decoder.h"
#include "document/files/picture_file.h"

namespace {

using kreslix::PictureFileKind;

QByteArray fileStart(const QString& path, qint64 length) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(length) : QByteArray();
}

// The bit count of a BMP file's header: an OS/2 core header (12 bytes) keeps it at offset 24,
// every later header at offset 28.
int bmpBitsPerPixel(const QString& path) {
    const QByteArray head = fileStart(path, 30);
    if (head.size() < 30)
        return 0;
    const auto* bytes = reinterpret_cast<const uchar*>(head.constData());
    const bool coreHeader = qFromLittleEndian<quint32>(bytes + 14) == 12;
    return qFromLittleEndian<quint16>(bytes + (coreHeader ? 24 : 28));
}

int jpegBitsPerPixel(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    return kreslix::jpegBitsPerPixel(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size()));
}

int storedBitsPerPixel(const QString& path) {
    return kreslix::pictureFileKind(path) == PictureFileKind::Bmp ? bmpBitsPerPixel(path)
                                                                  : jpegBitsPerPixel(path);
}

bool writePpm(const QImage& image, const QString& folder, const QString& path) {
    const QString target = QDir(folder).filePath(QFileInfo(path).fileName() + ".ppm");
    QImageWriter writer(target, "ppm");
    return writer.write(image);
}

void printLine(const QStringList& fields) {
    std::printf("%s\n", fields.join(QLatin1Char('\t')).toLocal8Bit().constData());
}

// Reads one file and prints its line; true when it was read (and written, with --ppm).
bool probe(const QString& path, const QString& ppmFolder) {
    try {
        QElapsedTimer timer;
        timer.start();
        const kreslix::Picture picture = kreslix::readPictureFile(path);
        const double milliseconds = timer.nsecsElapsed() / 1e6;
        const QSize size = picture.image.size();
        printLine({path, QStringLiteral("ok"), QString::number(size.width()),
                   QString::number(size.height()), QString::number(storedBitsPerPixel(path)),
                   QString::number(milliseconds, 'f', 3)});
        if (!ppmFolder.isEmpty() && !writePpm(picture.image, ppmFolder, path)) {
            std::fprintf(stderr, "cannot write the PPM of %s\n", qPrintable(path));
            return false;
        }
        return true;
    } catch (const kreslix::KreslixError& error) {
        printLine({path, QStringLiteral("error"), error.message()});
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QStringList paths;
    QString ppmFolder;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--ppm") && i + 1 < argc) {
            ppmFolder = QString::fromLocal8Bit(argv[++i]);
        } else {
            paths << argument;
        }
    }
    if (paths.isEmpty()) {
        std::fprintf(stderr, "usage: picture_probe FILE... [--ppm DIR]\n");
        return 1;
    }
    bool allRead = true;
    for (const QString& path : paths)
        allRead = probe(path, ppmFolder) && allRead;
    return allRead ? 0 : 1;
}
