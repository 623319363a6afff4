#include "dialogs/titled_frame.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyle>

namespace kreslix {
namespace {

constexpr int kTitleLeft = 8;    // where the title starts in a box wide enough for it
constexpr int kTitleMargin = 2;  // the gap in the frame line on either side of the title
constexpr int kFrameLine = 2;    // the etched line's width, kept whole at the corners

}  // namespace

TitledFrame::TitledFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void TitledFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int lineY = fontMetrics().height() / 2;
    // An etched line of its own: styles place their group-box frames below a whole text line.
    qDrawShadeRect(&painter, rect().adjusted(0, lineY, 0, 0), palette(), true, 1);
    if (title().isEmpty())
        return;

    // A box too narrow for its title at the usual size (as the width box is) shows it smaller,
    // so that the frame's corners stay whole.
    const int room = width() - 2 * kFrameLine - 2 * kTitleMargin;
    QFont titleFont = font();
    while (QFontMetrics(titleFont).horizontalAdvance(title()) > room &&
           titleFont.pointSizeF() > 6.0) {
        titleFont.setPointSizeF(titleFont.pointSizeF() - 0.25);
    }
    const QFontMetrics metrics(titleFont);
    const int areaWidth = metrics.horizontalAdvance(title()) + 2 * kTitleMargin;
    const int left =
        qMax(kFrameLine, qMin(kTitleLeft - kTitleMargin, width() - kFrameLine - areaWidth));
    const QRect area(left, qMax(0, lineY - metrics.height() / 2), areaWidth, metrics.height());
    painter.fillRect(area, palette().window());
    painter.setFont(titleFont);
    style()->drawItemText(&painter, area, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                          isEnabled(), title(), QPalette::WindowText);
}

}  // namespace kreslix
