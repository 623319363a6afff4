#include "dialogs/font_growth.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "dialogs/dialog_labels.h"

namespace kreslix {
namespace {

// What a button's face takes of its width around its text, and a group box's frame around
// its title.
constexpr int kButtonPadding = 8;
constexpr int kTitlePadding = 16;

bool laysOutNothingOfItsOwn(const QWidget* widget) {
    return qobject_cast<const QGroupBox*>(widget) ||
           widget->metaObject() == &QFrame::staticMetaObject;
}

void collect(QWidget* parent, std::vector<QWidget*>& found) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        found.push_back(widget);
        if (laysOutNothingOfItsOwn(widget))
            collect(widget, found);
    }
}

QString withoutMnemonic(QString text) {
    return text.replace(QLatin1String("&&"), QLatin1String("\x01"))
        .remove(u'&')
        .replace(u'\x01', u'&');
}

}  // namespace

FontGrowth::FontGrowth(QWidget* dialog)
    : QObject(dialog), dialog_(dialog), designedSize_(dialog->size()) {
    std::vector<QWidget*> widgets;
    collect(dialog, widgets);
    for (QWidget* widget : widgets)
        designed_.push_back({widget, widget->geometry()});
    sizer_ = [this](QSizeF scale) {
        const QSize size = scaled(QRect(QPoint(), designedSize_), scale).size();
        if (dialog_->minimumSize() == dialog_->maximumSize()) {
            dialog_->setFixedSize(size);
        } else {
            dialog_->resize(size);
        }
    };
    dialog->installEventFilter(this);
}

void FontGrowth::keepBefore(QWidget* widget, int designedRight, const QStringList& texts) {
    kept_.push_back({widget, designedRight, texts});
}

void FontGrowth::keepLineHeight(QLabel* label) {
    lineHeights_.emplace_back(label);
}

QRect FontGrowth::scaled(const QRect& rect, QSizeF scale) {
    const int left = int(std::lround(rect.x() * scale.width()));
    const int top = int(std::lround(rect.y() * scale.height()));
    const int right = int(std::lround((rect.x() + rect.width()) * scale.width()));
    const int bottom = int(std::lround((rect.y() + rect.height()) * scale.height()));
    return QRect(left, top, right - left, bottom - top);
}

QStringList FontGrowth::textsOf(const Kept& kept) const {
    if (!kept.texts.isEmpty())
        return kept.texts;
    if (const auto* label = qobject_cast<const QLabel*>(kept.widget.data()))
        return {label->text()};
    if (const auto* button = qobject_cast<const QAbstractButton*>(kept.widget.data()))
        return {withoutMnemonic(button->text())};
    return {};
}

// What a check box's square and the gap after it take before its text.
int FontGrowth::boxWidth(const QWidget* widget) const {
    if (!qobject_cast<const QCheckBox*>(widget))
        return 0;
    const QStyle* style = widget->style();
    return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) +
           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget);
}

std::vector<FontGrowth::TextRoom> FontGrowth::textRooms() const {
    std::vector<TextRoom> rooms;
    for (const Kept& kept : kept_) {
        const auto place = std::find_if(designed_.begin(), designed_.end(),
                                        [&](const Designed& d) { return d.widget == kept.widget; });
        if (kept.widget && place != designed_.end()) {
            rooms.push_back({textsOf(kept), boxWidth(kept.widget),
                             kept.designedRight - place->geometry.x(), true});
        }
    }
    for (const Designed& d : designed_) {
        const bool isKept = std::any_of(kept_.begin(), kept_.end(),
                                        [&](const Kept& kept) { return kept.widget == d.widget; });
        if (!d.widget || isKept)
            continue;
        if (const auto* button = qobject_cast<const QAbstractButton*>(d.widget.data())) {
            if (!button->text().isEmpty()) {
                rooms.push_back(
                    {{withoutMnemonic(button->text())}, kButtonPadding, d.geometry.width(), false});
            }
        } else if (const auto* box = qobject_cast<const QGroupBox*>(d.widget.data())) {
            if (!box->title().isEmpty()) {
                rooms.push_back(
                    {{withoutMnemonic(box->title())}, kTitlePadding, d.geometry.width(), false});
            }
        }
    }
    return rooms;
}

// How many times wider than its room the text is.
double FontGrowth::share(const QFontMetrics& metrics, const TextRoom& room) {
    return double(widestText(metrics, room.texts) + room.extra) / std::max(room.room, 1);
}

QSizeF FontGrowth::scaleFor(const QFont& font) const {
    if (QFontInfo(font).pixelSize() <= kDesignedPixelSize)
        return {1.0, 1.0};
    QFont designedFont = font;
    designedFont.setPixelSize(kDesignedPixelSize);
    const QFontMetrics now(font);
    const QFontMetrics designed(designedFont);
    double across = 1.0;
    for (const TextRoom& room : textRooms()) {
        // A text that narrows keeps the share of its room that it has at the designed font:
        // one narrowed there may be narrowed as much, no more. A button's or a frame's text
        // cannot narrow and fits whole.
        const double share = FontGrowth::share(now, room);
        across =
            std::max(across, room.narrows ? share / std::max(FontGrowth::share(designed, room), 1.0)
                                          : share);
    }
    const double down = double(now.height()) / designed.height();
    return {across, std::max(down, 1.0)};
}

void FontGrowth::layOut() {
    const QSizeF scale = scaleFor(dialog_->font());
    if (scale != applied_) {
        applied_ = scale;
        sizer_(scale);
    }
    for (const Designed& d : designed_) {
        if (d.widget)
            d.widget->setGeometry(scaled(d.geometry, scale));
    }
    for (const Kept& kept : kept_) {
        if (!kept.widget)
            continue;
        const int right = int(std::lround(kept.designedRight * scale.width()));
        fitBefore(kept.widget, right, textsOf(kept), boxWidth(kept.widget));
    }
    for (const QPointer<QLabel>& label : lineHeights_) {
        if (label)
            fitLineHeight(label);
    }
    for (const std::function<void()>& work : afterLayout_)
        work();
}

bool FontGrowth::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialog_) {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || (type == QEvent::FontChange && dialog_->isVisible()))
            layOut();
    }
    return false;
}

}  // namespace kreslix
