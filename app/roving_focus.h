#pragma once

#include <QList>
#include <QObject>

class QWidget;

namespace kreslix {

// Makes a group of controls one stop of the Tab key: Tab enters the group at its current member
// and leaves it at the next, and the arrow keys move the focus among the members by where they
// stand (Left and Right in reading order, Up and Down within a column). The arrows only move;
// choosing stays with Space, as a click does.
class RovingFocus : public QObject {
    Q_OBJECT

public:
    explicit RovingFocus(QObject* parent);

    void add(QWidget* member);
    // The member that Tab enters the group at (anything else is ignored); the one that takes the
    // focus becomes it too.
    void setCurrent(QWidget* member);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* neighbour(QWidget* from, int key) const;

    QList<QWidget*> members_;
};

}  // namespace kreslix
