#pragma once

#include <QSize>
#include <QString>

#include "common/prompts.h"
#include "dialogs/prompt_dialog.h"

class QLabel;

namespace kreslix {

class FontGrowth;

// `vlastnosti`, "Vlastnosti": the name of the picture's file and its width and height. It
// changes nothing; "OK" is its only control and its way out, which Escape and a close request
// from the window system take too.
class Tvlastnosti : public PromptDialog {
    Q_OBJECT

public:
    static constexpr QPoint kDesignedPosition{216, 150};

    explicit Tvlastnosti(QWidget* parent = nullptr);

    // Writes all three texts anew.
    void fill(const PictureProperties& properties);

    QLabel* MenoObr() const { return name_; }
    QLabel* ObrSirka() const { return width_; }
    QLabel* ObrVyska() const { return height_; }

    void reject() override;

private:
    FontGrowth* growth_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* width_ = nullptr;
    QLabel* height_ = nullptr;
};

// The texts the dialog shows: the name part of `openedPath` while a file exists there (a
// folder or a missing path gives "Bez názvu"), and the size as "<number> pixelov.".
PictureProperties pictureProperties(const QString& openedPath, QSize pictureSize);

// The properties command: describes the file last chosen in the open dialog, which is not
// necessarily the document's own file, and the picture of `pictureSize`.
void Vlastnosti1Click(QSize pictureSize, Prompts& prompts);

}  // namespace kreslix
