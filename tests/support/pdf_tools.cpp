#include "tests/support/pdf_tools.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace kreslix::testing {
namespace {

QString runPoppler(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(u' ').toStdString()
                      << " failed (poppler-utils comes with scripts/install-deps): "
                      << tool.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput());
}

QString pdfInfoField(const QString& path, const QString& field) {
    const QString info = runPoppler(QStringLiteral("pdfinfo"), {path});
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1);
}

}  // namespace

int pdfPageCount(const QString& path) {
    return pdfInfoField(path, QStringLiteral("Pages")).toInt();
}

QSizeF pdfPageSize(const QString& path) {
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("^([0-9.]+) x ([0-9.]+) pts"))
            .match(pdfInfoField(path, QStringLiteral("Page size")));
    if (!size.hasMatch())
        return {};
    return {size.captured(1).toDouble(), size.captured(2).toDouble()};
}

QImage rasterisePdf(const QString& path, int dpi, QRect area) {
    QTemporaryDir folder;
    const QString prefix = folder.filePath(QStringLiteral("page"));
    QStringList arguments = {QStringLiteral("-r"),          QString::number(dpi),
                             QStringLiteral("-singlefile"), QStringLiteral("-png"),
                             QStringLiteral("-f"),          QStringLiteral("1")};
    if (!area.isNull()) {
        arguments << QStringLiteral("-x") << QString::number(area.x()) << QStringLiteral("-y")
                  << QString::number(area.y()) << QStringLiteral("-W")
                  << QString::number(area.width()) << QStringLiteral("-H")
                  << QString::number(area.height());
    }
    runPoppler(QStringLiteral("pdftoppm"), arguments << path << prefix);
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QImage printedScreenPixels(const QString& path, int screenDpi, QRect area) {
    constexpr int kFine = 4;
    const QImage fine =
        rasterisePdf(path, screenDpi * kFine, QRect(area.topLeft() * kFine, area.size() * kFine));
    if (fine.size() != area.size() * kFine)
        return QImage();
    QImage pixels(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x)
            pixels.setPixel(x, y, fine.pixel(x * kFine + kFine / 2, y * kFine + kFine / 2));
    }
    return pixels;
}

QRect inkBox(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if ((page.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}
}  // namespace kreslix::testing
