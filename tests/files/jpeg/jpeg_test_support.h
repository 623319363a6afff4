#pragma once

#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "document/files/picture.h"

namespace kreslix::test {

// A JPEG file of the shared corpus, by its name in the jpeg folder.
QString corpusJpeg(const QString& name);

QByteArray fileBytes(const QString& path);

// Decodes bytes with the reader's memory entry point.
Picture decodeBytes(const QByteArray& bytes);

// libjpeg's own decode of a file by the djpeg program (PNM on its standard output), or nothing
// when djpeg is not installed.
std::optional<QImage> djpegDecode(const QString& path, const QStringList& options);

// Compresses a picture with libjpeg into memory. `setup` adjusts the settings after the
// defaults; `fillRow` writes row y (width × components samples) into the buffer it is given.
QByteArray compressJpeg(int width, int height, int components, J_COLOR_SPACE inSpace,
                        const std::function<void(jpeg_compress_struct&)>& setup,
                        const std::function<void(int y, uchar* row)>& fillRow);

// Pixels that differ in red, green or blue between two pictures of the same size.
int differingPixels(const QImage& a, const QImage& b);

// The largest difference of one channel between two pictures of the same size.
int largestChannelDifference(const QImage& a, const QImage& b);

// One JPEG row of the corpus's expect.tsv.
struct CorpusExpectation {
    QString name;  // file name in the jpeg folder
    bool opens = false;
    int width = 0;
    int height = 0;
    bool firm = false;
    QString note;
};

std::vector<CorpusExpectation> jpegCorpusExpectations();

}  // namespace kreslix::test
