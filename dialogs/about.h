#pragma once

#include <QString>
#include <array>

#include "dialogs/button_only_dialog.h"

class QLabel;
class QToolButton;

namespace kreslix {

// `AboutBox`, "O programe....": the product and its rights notice, one line of the maker's
// contact data that two arrow buttons step through, and the computer's memory. Its three flat
// buttons never take the focus; "O.K." is the way out.
class TAboutBox : public ButtonOnlyDialog {
    Q_OBJECT

public:
    // The two sets of contact lines, each: credit line, web address, e-mail, telephone.
    using ContactLines = std::array<const char*, 4>;
    static const ContactLines kLeftLines;   // shown by the left arrow and by "O.K."
    static const ContactLines kRightLines;  // shown by the right arrow, and at first

    explicit TAboutBox(QWidget* parent = nullptr);

    // What the About command does before showing the box: the memory figure, and the contact
    // line number back to 1.
    void prepare(const QString& memoryFigure);

    void SpeedButton1Click();
    void SpeedButton4Click();
    void SpeedButton5Click();

    // The number (1 to 4) of the contact line last selected.
    int CisloRiadku = 1;

    QLabel* copyr() const { return contact_; }
    QLabel* DostupnaPamat() const { return memory_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showContactLine(const ContactLines& lines);

    QLabel* contact_ = nullptr;
    QLabel* memory_ = nullptr;
};

}  // namespace kreslix
