// A drawing made with the real mouse on the real program: tools, widths and colours chosen by
// clicking the panels, shapes drawn by dragging. The window is kept as a picture for the README.
#include <QThread>
#include <cmath>

#include "tests/e2e/e2e_support.h"

namespace kreslix::e2e {
namespace {

// Places on the tool panel, which starts at the window's left edge level with the picture.
constexpr QPoint kLine(20, 20), kPencil(20, 45), kEllipse(20, 70), kRoundRect(45, 70),
    kRectangle(20, 95), kSpray(45, 20), kBrush(45, 45);
constexpr QPoint kWidth3(32, 188), kWidth5(32, 204), kOutline(30, 291);

class Drawing : public ProgramTest {
protected:
    void click(QPoint onPanel) const {
        runTool({"drag", QString::number(main.geometry.x() + onPanel.x()),
                 QString::number(pictureOrigin->y() + onPanel.y())});
    }
    // Clicks the palette cell of that colour, found on the screen below the picture as the
    // first block of 9 × 5 pixels of the colour.
    void colour(QRgb rgb) const {
        const QImage window = screenshot().copy(main.geometry);
        const QPoint picture = *pictureOrigin - main.geometry.topLeft();
        auto block = [&](int left, int top) {
            for (int y = top; y < top + 5; ++y) {
                for (int x = left; x < left + 9; ++x) {
                    if ((window.pixel(x, y) & 0xFFFFFF) != rgb)
                        return false;
                }
            }
            return true;
        };
        for (int y = picture.y() + 297; y + 5 < window.height(); ++y) {
            for (int x = 64; x + 9 < window.width(); ++x) {
                if (block(x, y)) {
                    runTool({"drag", QString::number(main.geometry.x() + x + 4),
                             QString::number(main.geometry.y() + y + 2)});
                    return;
                }
            }
        }
        ADD_FAILURE() << "no palette cell of colour " << std::hex << rgb;
    }
    void drag(const QList<QPoint>& points) const {
        QStringList arguments{"drag"};
        for (QPoint p : points)
            arguments << at(p.x(), p.y());
        runTool(arguments);
    }
    // How many pixels of the picture on the screen have the colour.
    int count(const QImage& screen, QRgb rgb) const {
        int found = 0;
        for (int y = 0; y < 297; ++y) {
            for (int x = 0; x < 488; ++x) {
                found += (screen.pixel(pictureOrigin->x() + x, pictureOrigin->y() + y) &
                          0xFFFFFF) == rgb;
            }
        }
        return found;
    }
};

TEST_F(Drawing, AHouseInTheSunDrawnWithTheMouse) {
    start();
    waitForPicture(QStringLiteral("Kreslix (32bit) - bez názvu"), QImage());

    click(kLine);
    click(kWidth5);
    colour(0x008000);
    drag({{0, 262}, {487, 262}});
    click(kSpray);
    drag({{20, 275}, {470, 280}, {40, 288}, {460, 272}});

    click(kRectangle);
    click(kOutline);
    click(kWidth3);
    colour(0x800000);
    drag({{110, 150}, {230, 260}});
    colour(0x000080);
    drag({{155, 205}, {185, 260}});
    click(kRoundRect);
    colour(0x0000FF);
    drag({{195, 170}, {222, 196}});
    click(kLine);
    colour(0xFF0000);
    drag({{100, 152}, {170, 88}});
    drag({{170, 88}, {240, 152}});

    colour(0x808000);
    click(kWidth5);
    drag({{340, 260}, {340, 190}});
    click(kBrush);
    colour(0x00FF00);
    // The crown: a spiral from its rim inwards.
    QList<QPoint> crown;
    for (int step = 0; step < 80; ++step) {
        const double angle = step * 0.45, radius = 34.0 - step * 0.4;
        crown << QPoint(340 + int(radius * std::cos(angle)), 158 + int(radius * std::sin(angle)));
    }
    drag(crown);

    click(kEllipse);
    click(kWidth3);
    colour(0xFFFF00);
    drag({{390, 25}, {450, 85}});
    click(kLine);
    for (QPoint ray : {QPoint(420, 5), QPoint(470, 55), QPoint(372, 55), QPoint(455, 20),
                       QPoint(385, 20), QPoint(455, 92), QPoint(385, 92)}) {
        const QPoint from(420 + (ray.x() - 420) * 3 / 4, 55 + (ray.y() - 55) * 3 / 4);
        drag({from, from + (ray - from) * 2});
    }
    click(kPencil);
    colour(0x000000);
    drag({{60, 50}, {70, 58}, {80, 50}});
    drag({{95, 35}, {103, 41}, {111, 35}});

    // The pointer leaves the window, so no tooltip covers the picture.
    runTool({"drag", QString::number(main.geometry.right() + 200),
             QString::number(main.geometry.bottom() + 200)});
    QThread::msleep(300);
    const QImage screen = screenshot();
    EXPECT_GT(count(screen, 0x008000), 2000) << "ground and grass";
    EXPECT_GT(count(screen, 0x800000), 600) << "walls";
    EXPECT_GT(count(screen, 0x000080), 200) << "door";
    EXPECT_GT(count(screen, 0x0000FF), 100) << "window";
    EXPECT_GT(count(screen, 0xFF0000), 300) << "roof";
    EXPECT_GT(count(screen, 0x00FF00), 500) << "tree";
    EXPECT_GT(count(screen, 0xFFFF00), 500) << "sun";
    EXPECT_GT(count(screen, 0x000000), 20) << "birds";
    EXPECT_EQ(screen.pixel(pictureOrigin->x() + 110, pictureOrigin->y() + 200) & 0xFFFFFF,
              0x800000u)
        << "the left wall is not where it was drawn";
    EXPECT_TRUE(screen.copy(main.geometry).save(KRESLIX_E2E_OUTPUT_DIR "/kreslix_drawing.png"));
}

}  // namespace
}  // namespace kreslix::e2e
