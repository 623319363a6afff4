#include "tests/document/document_test.h"

#include <QFile>

#include "document/file_commands.h"
#include "document/files/picture_file.h"

namespace kreslix::testing {

DocumentSnapshot snapshot(const DocumentState& document) {
    return {document.fileName(), document.modified(), document.saveButtonEnabled(),
            document.caption(), document.picture().image};
}

void PrintTo(const DocumentSnapshot& s, std::ostream* out) {
    *out << "{file \"" << s.fileName.toStdString() << "\", flag " << s.modified << ", Save "
         << (s.saveButton ? "on" : "off") << ", caption \"" << s.caption.toStdString() << "\", "
         << s.image.width() << "x" << s.image.height() << "}";
}

PenAndBrush PenAndBrush::of(const Canvas& canvas) {
    return {canvas.brush().style(), canvas.pen().style(), canvas.pen().width(),
            canvas.pen().colour(), canvas.brush().colour()};
}

void PenAndBrush::applyTo(Canvas& canvas) const {
    canvas.brush().setColour(brushColour);
    canvas.brush().setStyle(brushStyle);
    canvas.pen().setStyle(penStyle);
    canvas.pen().setWidth(penWidth);
    canvas.pen().setColour(penColour);
}

void PrintTo(const PenAndBrush& p, std::ostream* out) {
    *out << std::hex << "{brush style " << p.brushStyle << ", pen style " << p.penStyle
         << ", width " << std::dec << p.penWidth << std::hex << ", pen 0x" << p.penColour
         << ", brush 0x" << p.brushColour << std::dec << "}";
}

QString testdata(const char* relative) {
    return QStringLiteral(KRESLIX_TESTDATA_DIR "/") + QLatin1String(relative);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::string pictureDifference(const QImage& ours, const QImage& expected) {
    if (ours.size() != expected.size())
        return "sizes differ";
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            const QRgb a = ours.pixel(x, y) & 0xFFFFFFu;
            const QRgb b = expected.pixel(x, y) & 0xFFFFFFu;
            if (a != b) {
                return QStringLiteral("(%1, %2): %3 vs %4")
                    .arg(x)
                    .arg(y)
                    .arg(a, 6, 16, QChar(u'0'))
                    .arg(b, 6, 16, QChar(u'0'))
                    .toStdString();
            }
        }
    }
    return {};
}

bool filledWith(const QImage& image, Colour colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (fromPixel(image.pixel(x, y)) != colour)
                return false;
        }
    }
    return true;
}

// Open reads only files whose name has the extension "bmp", so the file is read from a copy.
QImage writtenPicture(const QString& path) {
    const QString copy = path + QStringLiteral(".readback.bmp");
    QFile::remove(copy);
    if (!QFile::copy(path, copy))
        return {};
    QImage image = readPictureFile(copy).image;
    QFile::remove(copy);
    return image;
}

void DocumentTest::draw() {
    Canvas& canvas = document.canvas();
    canvas.pen().setColour(0x000000FF);
    canvas.brush().setColour(0x0000FF00);
    canvas.Rectangle(10, 10, 60, 40);
    document.setModified(true);
    document.setSaveButtonEnabled(true);
}

void DocumentTest::nameDocument(const QString& name) {
    prompts.saveFileAnswers.push_back(path(name));
    Saveas1Click(document, prompts);
    ASSERT_EQ(document.fileName(), path(name));
    prompts.log.clear();
}

QString DocumentTest::captionFor(const QString& name) {
    return QStringLiteral("Kreslix (32bit) - ") + name;
}

}  // namespace kreslix::testing
