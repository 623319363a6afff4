#include "app/roving_focus.h"

#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace kreslix {
namespace {

QPoint centreOf(const QWidget* w) {
    return w->mapTo(w->window(), w->rect().center());
}

// Reading order: by rows from the top, each row from the left.
bool readsBefore(const QWidget* a, const QWidget* b) {
    const QPoint pa = centreOf(a), pb = centreOf(b);
    return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
}

}  // namespace

RovingFocus::RovingFocus(QObject* parent) : QObject(parent) {}

void RovingFocus::add(QWidget* member) {
    members_.append(member);
    member->installEventFilter(this);
    setCurrent(members_.front());
}

void RovingFocus::setCurrent(QWidget* member) {
    if (!members_.contains(member))
        return;
    for (QWidget* w : members_)
        w->setFocusPolicy(w == member ? Qt::TabFocus : Qt::NoFocus);
}

QWidget* RovingFocus::neighbour(QWidget* from, int key) const {
    QList<QWidget*> shown;
    for (QWidget* w : members_) {
        if (w->isVisibleTo(w->window()) && w->isEnabled())
            shown.append(w);
    }
    std::sort(shown.begin(), shown.end(), readsBefore);
    const qsizetype at = shown.indexOf(from);
    if (at < 0)
        return nullptr;
    if (key == Qt::Key_Left)
        return at > 0 ? shown[at - 1] : nullptr;
    if (key == Qt::Key_Right)
        return at + 1 < shown.size() ? shown[at + 1] : nullptr;
    // Up and Down: the nearest member above or below, those in the same column first.
    const QPoint origin = centreOf(from);
    QWidget* best = nullptr;
    int bestScore = std::numeric_limits<int>::max();
    for (QWidget* w : shown) {
        const QPoint d = centreOf(w) - origin;
        if (key == Qt::Key_Up ? d.y() >= 0 : d.y() <= 0)
            continue;
        const int score = std::abs(d.y()) + 4 * std::abs(d.x());
        if (score < bestScore) {
            bestScore = score;
            best = w;
        }
    }
    return best;
}

bool RovingFocus::eventFilter(QObject* watched, QEvent* event) {
    auto* member = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::FocusIn) {
        setCurrent(member);
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int k = key->key();
        const bool arrow =
            k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down;
        if (arrow && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (QWidget* next = neighbour(member, k))
                next->setFocus(k == Qt::Key_Left || k == Qt::Key_Up ? Qt::BacktabFocusReason
                                                                    : Qt::TabFocusReason);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kreslix
