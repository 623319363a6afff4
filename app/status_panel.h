#pragma once

#include <QWidget>

class QSizeGrip;

namespace kreslix {

class StatusText;

// `DolnyPanel`: the 18-pixel status bar with two text panels, the first from the bar's left end
// and 150 pixels wide, the second from x = 150 to the bar's right end, where the size grip lies
// over its corner. It shows the two position texts and never any hint.
class StatusPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 18;
    static constexpr int kFirstPanelWidth = 150;

    explicit StatusPanel(QWidget* parent);

    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    StatusText* panels_[2];
    QSizeGrip* grip_;
};

}  // namespace kreslix
