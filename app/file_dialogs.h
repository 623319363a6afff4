#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

class QWidget;

namespace kreslix {

// Turns a filter written as "description|patterns|description|patterns" (patterns separated by
// ";") into Qt name filters that show each description exactly as written.
QStringList nameFilters(const QString& filter);

// `OpenDialog1` and `SaveDialog1`: Qt's own file dialogs, kept for the whole run. Each opens on
// the name and filter last confirmed in it (the first filter at first); what was typed or picked
// in a use that was cancelled is forgotten. A name typed without an extension gets ".bmp";
// neither insists that the file exists, and neither asks before a file is replaced.
class FileDialog : public QFileDialog {
public:
    FileDialog(QWidget* parent, const QString& name, const QString& filter, AcceptMode mode);

    // Shows the dialog; the chosen path, or empty when cancelled.
    QString run();

    void done(int result) override;

private:
    void showLastChoice();

    QString chosenPath_;
    int chosenFilter_ = 0;  // index into nameFilters()
};

FileDialog* makeOpenDialog(QWidget* parent);
FileDialog* makeSaveDialog(QWidget* parent);

}  // namespace kreslix
