#pragma once

#include <QString>
#include <array>

#include "dialogs/prompt_dialog.h"

class QLabel;
class QToolButton;

namespace kreslix {

class FontGrowth;

// `AboutBox`, "O programe....": the product and its rights notice, one line of the maker's
// contact data that two arrow buttons step through, and the computer's memory. "O.K." is the
// way out, and Enter, Escape and a close request from the window system take it too. Its three
// flat buttons take the focus only from the keyboard, "O.K." when the box opens.
class TAboutBox : public PromptDialog {
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

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showContactLine(const ContactLines& lines);
    void followTheme();

    QLabel* product_ = nullptr;
    QLabel* year_ = nullptr;
    QLabel* contact_ = nullptr;
    QLabel* memory_ = nullptr;
    QToolButton* ok_ = nullptr;
    std::array<QToolButton*, 2> arrows_{};  // left, right
    FontGrowth* growth_ = nullptr;
};

}  // namespace kreslix
