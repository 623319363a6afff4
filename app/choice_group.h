#pragma once

#include <QButtonGroup>

namespace kreslix {

// An exclusive group of buttons that reports each choice of the user once, however it was made:
// a click (also on the button already down), Space, or assistive technology checking a button
// without a click. The program's own checking of a button is no choice and is not reported.
class ChoiceGroup : public QButtonGroup {
    Q_OBJECT

public:
    explicit ChoiceGroup(QObject* parent);

    // Pushes the button down as the program's own doing.
    void setCheckedQuietly(int id);

signals:
    void chosen(int id);

private:
    bool clicking_ = false;  // between a button's press and its release, a click is under way
    bool quiet_ = false;
};

}  // namespace kreslix
