#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace kreslix {

// Turns a filter written as "description|patterns|description|patterns" (patterns separated by
// ";") into Qt name filters that show each description exactly as written.
QStringList nameFilters(const QString& filter);

// `OpenDialog1` and `SaveDialog1`: Qt's own file dialogs, kept for the whole run so each opens
// with the name and filter last chosen in it. A name typed without an extension gets ".bmp";
// neither insists that the file exists, and neither asks before a file is replaced.
QFileDialog* makeOpenDialog(QWidget* parent);
QFileDialog* makeSaveDialog(QWidget* parent);

// Shows the dialog on the name last chosen in it; the chosen path, or empty when cancelled.
QString runFileDialog(QFileDialog* dialog);

}  // namespace kreslix
