#include "app/picture_render.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/worker_pool.h"

namespace kreslix {
namespace {

// The picture coordinates one axis of a device block samples: `count` per device pixel, -1
// where the pixel's centre lies off the picture; and whether each pixel starts a picture pixel.
struct AxisSamples {
    int count = 1;
    std::vector<int> index;
    std::vector<bool> starts;
};

AxisSamples sampleAxis(int first, int length, int origin, double ratio, double zoom, int size) {
    AxisSamples axis;
    // Picture pixels one device pixel covers along this axis.
    const double cover = 1.0 / (ratio * zoom);
    axis.count = std::clamp(int(std::ceil(cover - 1e-9)), 1, PictureRenderer::kMaxSamples);
    axis.index.resize(size_t(length) * size_t(axis.count));
    axis.starts.resize(size_t(length));
    int previous = pictureColumnAt(first - 1, ratio, origin, zoom);
    for (int i = 0; i < length; ++i) {
        const int device = first + i;
        const int centre = pictureColumnAt(device, ratio, origin, zoom);
        axis.starts[size_t(i)] = centre != previous;
        previous = centre;
        int* samples = &axis.index[size_t(i) * size_t(axis.count)];
        if (centre < 0 || centre >= size) {
            std::fill(samples, samples + axis.count, -1);
            continue;
        }
        if (axis.count == 1) {
            samples[0] = centre;
            continue;
        }
        const double start = (double(device) / ratio - double(origin)) / zoom;
        for (int k = 0; k < axis.count; ++k) {
            const double at = start + (k + 0.5) * cover / axis.count;
            samples[k] = std::clamp(int(std::floor(at)), 0, size - 1);
        }
    }
    return axis;
}

// Below this many samples a helper that is slow to wake costs more than it saves.
constexpr qint64 kParallelSamples = 1 << 18;

// A faint line: an eighth of the way towards mid grey.
QRgb gridTint(QRgb c) {
    auto mix = [](int v) { return (v * 7 + 128) / 8; };
    return qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
}

}  // namespace

QImage PictureRenderer::render(const QRect& deviceRect, QRgb background, bool grid) const {
    QImage out(deviceRect.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    const AxisSamples columns =
        sampleAxis(deviceRect.left(), deviceRect.width(), geometry_.origin.x(),
                   geometry_.deviceRatio, geometry_.zoom, picture_.width());
    const AxisSamples rows = sampleAxis(deviceRect.top(), deviceRect.height(), geometry_.origin.y(),
                                        geometry_.deviceRatio, geometry_.zoom, picture_.height());
    // Both axes cover as many picture pixels: one sample each, or two by two.
    const bool averaged = columns.count == 2;
    const int width = deviceRect.width();

    auto renderRows = [&](int firstRow, int endRow) {
        for (int j = firstRow; j < endRow; ++j) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(j));
            const int* rowSamples = &rows.index[size_t(j) * size_t(rows.count)];
            // Zoomed in, most device rows repeat the one above: the same picture row, no grid
            // line.
            if (j > firstRow && !rows.starts[size_t(j)] && !(grid && rows.starts[size_t(j - 1)]) &&
                std::equal(rowSamples, rowSamples + rows.count, rowSamples - rows.count)) {
                std::copy_n(reinterpret_cast<const QRgb*>(out.constScanLine(j - 1)), width, line);
                continue;
            }
            if (rowSamples[0] < 0) {
                std::fill(line, line + width, background);
                continue;
            }
            const auto* top = reinterpret_cast<const QRgb*>(picture_.constScanLine(rowSamples[0]));
            if (!averaged) {
                for (int i = 0; i < width; ++i) {
                    const int x = columns.index[size_t(i)];
                    line[i] = x < 0 ? background : top[x];
                }
            } else {
                // The channels of four samples summed side by side in one word.
                const auto* bottom =
                    reinterpret_cast<const QRgb*>(picture_.constScanLine(rowSamples[1]));
                for (int i = 0; i < width; ++i) {
                    const int* x = &columns.index[size_t(i) * 2];
                    if (x[0] < 0) {
                        line[i] = background;
                        continue;
                    }
                    const QRgb a = top[x[0]], b = top[x[1]], c = bottom[x[0]], d = bottom[x[1]];
                    const quint32 redBlue = (a & 0xFF00FF) + (b & 0xFF00FF) + (c & 0xFF00FF) +
                                            (d & 0xFF00FF) + 0x020002;
                    const quint32 green =
                        (a & 0xFF00) + (b & 0xFF00) + (c & 0xFF00) + (d & 0xFF00) + 0x200;
                    line[i] = 0xFF000000u | ((redBlue >> 2) & 0xFF00FF) | ((green >> 2) & 0xFF00);
                }
            }
            if (!grid)
                continue;
            const bool rowStarts = rows.starts[size_t(j)];
            for (int i = 0; i < width; ++i) {
                if ((rowStarts || columns.starts[size_t(i)]) && columns.index[size_t(i)] >= 0)
                    line[i] = gridTint(line[i]);
            }
        }
    };

    // Scaling down reads two picture rows for every screen row: a large area is shared out in
    // bands among the canvas's helper threads, each writing rows of its own.
    const qint64 samples = qint64(width) * deviceRect.height() * (averaged ? 4 : 1);
    if (!averaged || samples < kParallelSamples) {
        renderRows(0, deviceRect.height());
        return out;
    }
    constexpr int kBands = 16;
    const int height = deviceRect.height();
    WorkerPool::shared().run(kBands, [&](int band) {
        renderRows(height * band / kBands, height * (band + 1) / kBands);
    });
    return out;
}

}  // namespace kreslix
