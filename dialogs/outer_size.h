#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace kreslix {

// Gives a fixed-size window an outer size, frame and title bar included: its client area is
// what the window manager's frame leaves of that, and follows the frame as it becomes known
// (only once the window is shown). Without a frame, client and outer size are the same.
class OuterSizeKeeper : public QObject {
public:
    OuterSizeKeeper(QWidget* window, QSize outer);

    void setOuterSize(QSize outer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();

    QWidget* window_;
    QSize outer_;
};

// Keeps `window` at the outer size `outer`; the keeper belongs to the window.
OuterSizeKeeper* keepOuterSize(QWidget* window, QSize outer);

}  // namespace kreslix
