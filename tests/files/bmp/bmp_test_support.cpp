#include "bmp_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QtEndian>

#include "common/error.h"

namespace kreslix::test {

QString testdata(const QString& relative) {
    return QStringLiteral(KRESLIX_TESTDATA_DIR) + QLatin1Char('/') + relative;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void putFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QString errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const KreslixError& error) {
        return error.message();
    }
    return {};
}

QString firstDifference(const QImage& ours, const QImage& expected) {
    if (ours.size() != expected.size()) {
        return QStringLiteral("size %1x%2 vs %3x%4")
            .arg(ours.width())
            .arg(ours.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    const QImage a = ours.convertToFormat(QImage::Format_RGB32);
    const QImage b = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y) & 0xFFFFFF;
            const QRgb q = b.pixel(x, y) & 0xFFFFFF;
            if (p != q) {
                return QStringLiteral("%1,%2: %3 vs %4")
                    .arg(x)
                    .arg(y)
                    .arg(p, 6, 16, QLatin1Char('0'))
                    .arg(q, 6, 16, QLatin1Char('0'));
            }
        }
    }
    return {};
}

QByteArray rowsAndTable(const QByteArray& file) {
    const auto* data = reinterpret_cast<const uchar*>(file.constData());
    const quint32 compression = qFromLittleEndian<quint32>(data + 30);
    const int masks = compression == 3 ? 12 : 0;
    return file.mid(54 + masks);
}

QByteArray buildBmp(const BmpLayout& layout) {
    QByteArray out(54, '\0');
    auto put32 = [&out](int at, quint32 value) {
        qToLittleEndian<quint32>(value, reinterpret_cast<uchar*>(out.data()) + at);
    };
    auto append32 = [&out, &put32](quint32 value) {
        out.append(QByteArray(4, '\0'));
        put32(int(out.size()) - 4, value);
    };
    for (quint32 mask : layout.masks)
        append32(mask);
    for (quint32 entry : layout.table)
        append32(entry);
    const int offset = int(out.size());
    out.append(layout.pixels);
    out[0] = 'B';
    out[1] = 'M';
    put32(2, quint32(out.size()));
    put32(10, quint32(offset));
    put32(14, 40);
    put32(18, quint32(layout.width));
    put32(22, quint32(layout.height));
    put32(26, 1 | (quint32(layout.bitsPerPixel) << 16));
    put32(30, layout.compression);
    put32(34, quint32(layout.pixels.size()));
    put32(46, quint32(layout.table.size()));
    return out;
}

QStringList filesIn(const QString& folder) {
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    if (names.isEmpty())
        ADD_FAILURE() << "no files in " << folder.toStdString();
    return names;
}

}  // namespace kreslix::test
