#pragma once

#include <QDialog>

namespace kreslix {

// `existu`: "Vybraný súbor už existuje." / "Chcete ho prepísať?" with "Áno" and "Nie". Both
// close the prompt with OK; which one was pressed is the answer.
class Texistu : public QDialog {
    Q_OBJECT

public:
    explicit Texistu(QWidget* parent = nullptr);

    // True when "Áno" closed the prompt last time.
    bool replaceChosen() const { return replace_; }

    void anoClick();
    void nieClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool replace_ = false;
};

}  // namespace kreslix
