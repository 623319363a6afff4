#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QScrollArea>
#include <cmath>

#include "app/picture_view.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

class ZoomTest : public WindowTest {
protected:
    void key(Qt::Key k) const {
        QTest::keyClick(window.get(), k, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
    PictureView* view() const { return child<PictureView>("Image"); }
    // Screen pixels of the shown picture that are not white, in an image of the window's client
    // area or of the view as the screen shows it.
    static int nonWhite(const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) != qRgb(255, 255, 255);
        }
        return count;
    }
};

// The keys step through the levels, the status bar tells the level only while it is not 100 %,
// the grid from 800 % stays on the screen, and another picture starts at 100 %.
TEST_F(ZoomTest, KeysStepTheViewOnlyAndAnotherPictureStartsAtActualSize) {
    const QImage picture = window->document().image();
    const QSize size = picture.size();
    EXPECT_TRUE(statusBar()->findChild<QWidget*>("DolnyPanelZvacsenie")->isHidden());
    const struct {
        Qt::Key key;
        double zoom;
        const char* text;
    } steps[] = {{Qt::Key_Plus, 2, "200 %"},       {Qt::Key_Equal, 3, "300 %"},
                 {Qt::Key_Minus, 2, "200 %"},      {Qt::Key_0, 1, "100 %"},
                 {Qt::Key_Minus, 0.5, "50 %"},     {Qt::Key_Minus, 0.25, "25 %"},
                 {Qt::Key_Minus, 0.125, "12,5 %"}, {Qt::Key_Minus, 0.125, "12,5 %"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.text);
        key(step.key);
        EXPECT_EQ(view()->zoom(), step.zoom);
        // A partly covered screen pixel still belongs to the view.
        EXPECT_EQ(view()->size(), QSize(int(std::ceil(size.width() * step.zoom)),
                                        int(std::ceil(size.height() * step.zoom))));
        EXPECT_EQ(statusBar()->zoomText(), QString::fromUtf8(step.text));
        EXPECT_EQ(statusBar()->findChild<QWidget*>("DolnyPanelZvacsenie")->isVisible(),
                  step.zoom != 1);
    }
    for (int i = 0; i < 9; ++i)
        key(Qt::Key_Plus);
    EXPECT_EQ(view()->zoom(), 12);
    // The white picture shows grid lines on the screen, none in the image made for printing.
    const QRect shown = view()->visibleRegion().boundingRect();
    EXPECT_GT(nonWhite(view()->grab(shown).toImage()), shown.width());
    const QImage printed = window->CaptureFormImage();
    const QPoint at = view()->mapTo(window->centralWidget(), shown.topLeft());
    EXPECT_EQ(nonWhite(printed.copy(QRect(at, shown.size()))), 0);
    EXPECT_EQ(window->document().image(), picture);

    window->document().replacePicture(Picture{QImage(30, 20, QImage::Format_RGB32), nullptr});
    EXPECT_EQ(view()->zoom(), 1);
    EXPECT_EQ(view()->size(), QSize(30, 20));
    EXPECT_TRUE(statusBar()->findChild<QWidget*>("DolnyPanelZvacsenie")->isHidden());
}

// Below 100 % a screen pixel shows the average of the picture pixels it covers: at 50 % each of a
// noisy picture's 2 × 2 blocks, the large shown area shared among threads.
TEST_F(ZoomTest, HalfSizeShowsTheAverageOfEachBlock) {
    QImage noise(1200, 900, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            noise.setPixel(x, y, 0xFF000000u | (seed >> 8));
        }
    }
    window->document().replacePicture(Picture{noise, nullptr});
    key(Qt::Key_Minus);
    ASSERT_EQ(view()->zoom(), 0.5);
    const QRect shown = view()->visibleRegion().boundingRect();
    ASSERT_GT(shown.width() * shown.height(), 100000);
    const QImage screen = view()->grab(shown).toImage().convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QPoint block = 2 * (shown.topLeft() + QPoint(x, y));
            int sum[3] = {0, 0, 0};
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                const QRgb c = noise.pixel(block + d);
                sum[0] += qRed(c);
                sum[1] += qGreen(c);
                sum[2] += qBlue(c);
            }
            const QRgb c = screen.pixel(x, y);
            wrong += std::abs(qRed(c) - sum[0] / 4) > 1 || std::abs(qGreen(c) - sum[1] / 4) > 1 ||
                     std::abs(qBlue(c) - sum[2] / 4) > 1;
        }
    }
    EXPECT_EQ(wrong, 0);
}

// Spreading two fingers zooms in a step at a time; pinching them zooms out.
TEST_F(ZoomTest, APinchZoomsStepByStep) {
    auto pinch = [this](Qt::NativeGestureType type, double value) {
        const QPointF at(20, 10);
        QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, at,
                                  view()->mapTo(window.get(), at), view()->mapToGlobal(at), value,
                                  QPointF());
        QCoreApplication::sendEvent(view(), &event);
    };
    pinch(Qt::BeginNativeGesture, 0);
    for (int i = 0; i < 10; ++i)
        pinch(Qt::ZoomNativeGesture, 0.1);
    pinch(Qt::EndNativeGesture, 0);
    EXPECT_EQ(view()->zoom(), 4);
    pinch(Qt::BeginNativeGesture, 0);
    pinch(Qt::ZoomNativeGesture, -0.3);
    EXPECT_EQ(view()->zoom(), 3);
}

}  // namespace
}  // namespace kreslix::testing
