#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QMarginsF>
#include <QPrinter>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

namespace kreslix::testing {

// A printer that writes the PDF file `path` at `dpi`, its printable area `margins` (in inches)
// inside an A4 portrait page.
std::unique_ptr<QPrinter> pdfPrinter(const QString& path, int dpi, QMarginsF margins = {});

// Whether a printed image covers `expected` on the rendered page: poppler draws an image's right
// and bottom edges into the pixel they end on, so those may reach one pixel further.
::testing::AssertionResult printedAt(const QImage& page, QRect expected);

// A 600 × 400 client area on a grey background, shown: a red 200 × 100 panel at (100, 50), a
// hidden blue one at (300, 200), and a 100 × 100 green one at (450, 250) whose painting runs
// `onPaint` once when armed.
class TestClientArea : public QWidget {
public:
    static constexpr QRect kRed{100, 50, 200, 100};
    static constexpr QRect kHiddenBlue{300, 200, 100, 100};
    static constexpr QRect kGreen{450, 250, 100, 100};

    TestClientArea();
    void armPaintAction(std::function<void()> action);

private:
    class ActionPanel;
    ActionPanel* green_;
};

}  // namespace kreslix::testing
