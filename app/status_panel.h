#pragma once

#include <QWidget>

class QSizeGrip;

namespace kreslix {

class StatusText;

// `DolnyPanel`: the 18-pixel status bar with two text panels, the first from the bar's left end
// and 150 pixels wide, the second from x = 150 to the bar's right end, where the size grip lies
// over its corner. It shows the two position texts and never any hint. While the picture is
// zoomed, a third panel at the bar's right end shows the zoom level; the second panel then
// ends where it begins.
class StatusPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 18;
    static constexpr int kFirstPanelWidth = 150;

    explicit StatusPanel(QWidget* parent);

    static constexpr int kZoomPanelWidth = 80;

    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    // The zoom level for the third panel, shown or not; assistive technology hears of each
    // change, the return to 100 % too.
    void setZoomText(const QString& text, bool shown);
    QString zoomText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();

    StatusText* panels_[2];
    StatusText* zoom_;
    QSizeGrip* grip_;
};

}  // namespace kreslix
