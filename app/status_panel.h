#pragma once

#include <QStatusBar>

namespace kreslix {

class StatusText;

// `DolnyPanel`: the 18-pixel status bar with two text panels (150 pixels, then the rest) and a
// size grip. It shows the two position texts and never any hint.
class StatusPanel : public QStatusBar {
    Q_OBJECT

public:
    static constexpr int kHeight = 18;
    static constexpr int kFirstPanelWidth = 150;

    explicit StatusPanel(QWidget* parent);

    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

private:
    StatusText* panels_[2];
};

}  // namespace kreslix
