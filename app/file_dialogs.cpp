#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace kreslix {
namespace {

QFileDialog* makeDialog(QWidget* parent, const QString& name, const QString& filter,
                        QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(name);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters(nameFilters(filter));
    dialog->setDefaultSuffix(QStringLiteral("bmp"));
    dialog->setSizeGripEnabled(true);
    return dialog;
}

}  // namespace

QStringList nameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Qt reads the patterns from the last parenthesised group and, with the details hidden,
        // shows the text before it: the description exactly as written.
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        result << parts[i] + QStringLiteral(" (") + patterns + u')';
    }
    return result;
}

QFileDialog* makeOpenDialog(QWidget* parent) {
    return makeDialog(parent, QStringLiteral("OpenDialog1"),
                      QStringLiteral("Všetky podporované formáty|*.bmp;*.jpg;*.jpeg|"
                                     "Bitové mapy (*.bmp)|*.bmp|"
                                     "Jpeg formáty (*.jpg,*.jpeg)|*.jpg;*.jpeg"),
                      QFileDialog::AcceptOpen);
}

QFileDialog* makeSaveDialog(QWidget* parent) {
    return makeDialog(parent, QStringLiteral("SaveDialog1"),
                      QStringLiteral("Bitové mapy (*.bmp)|*.bmp"), QFileDialog::AcceptSave);
}

QString runFileDialog(QFileDialog* dialog) {
    // Before any file has been chosen the selection is the dialog's folder; selecting that would
    // open the dialog on the folder's parent with the folder's name offered as the file name.
    const QStringList last = dialog->selectedFiles();
    if (!last.isEmpty() && !QFileInfo(last.front()).isDir())
        dialog->selectFile(last.front());
    if (dialog->exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog->selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.front();
}

}  // namespace kreslix
