#include "tests/printing/print_test_support.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPainter>
#include <QTest>

#include "tests/support/pdf_tools.h"

namespace kreslix::testing {

std::unique_ptr<QPrinter> pdfPrinter(const QString& path, int dpi, QMarginsF margins) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setResolution(dpi);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       margins * 72.0, QPageLayout::Point));
    return printer;
}

::testing::AssertionResult printedAt(const QImage& page, QRect expected) {
    const QRect box = inkBox(page);
    if (box.topLeft() == expected.topLeft() && box.width() - expected.width() <= 1 &&
        box.height() - expected.height() <= 1 && box.width() >= expected.width() &&
        box.height() >= expected.height()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "printed at " << box.x() << "," << box.y() << " " << box.width() << "x"
           << box.height() << ", expected " << expected.x() << "," << expected.y() << " "
           << expected.width() << "x" << expected.height();
}

namespace {

QWidget* panel(QWidget* parent, QRect where, QColor colour) {
    auto* widget = new QWidget(parent);
    widget->setGeometry(where);
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    return widget;
}

}  // namespace

class TestClientArea::ActionPanel : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void()> action;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::green);
        if (auto once = std::exchange(action, nullptr))
            once();
    }
};

TestClientArea::TestClientArea() {
    resize(600, 400);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(grey);
    panel(this, kRed, Qt::red);
    panel(this, kHiddenBlue, Qt::blue)->hide();
    green_ = new ActionPanel(this);
    green_->setGeometry(kGreen);
    show();
    if (!QTest::qWaitForWindowExposed(this))
        ADD_FAILURE() << "the client area was never shown";
}

void TestClientArea::armPaintAction(std::function<void()> action) {
    green_->action = std::move(action);
}

}  // namespace kreslix::testing
