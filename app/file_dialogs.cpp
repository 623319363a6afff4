#include "app/file_dialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QFileInfo>
#include <QLineEdit>

namespace kreslix {

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

FileDialog::FileDialog(QWidget* parent, const QString& name, const QString& filter, AcceptMode mode)
    : QFileDialog(parent) {
    setObjectName(name);
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);
    setOption(QFileDialog::HideNameFilterDetails);
    setAcceptMode(mode);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters(kreslix::nameFilters(filter));
    setDefaultSuffix(QStringLiteral("bmp"));
    setSizeGripEnabled(true);
}

void FileDialog::showLastChoice() {
    selectNameFilter(nameFilters().value(chosenFilter_));
    if (!chosenPath_.isEmpty()) {
        selectFile(chosenPath_);
    } else if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        name->clear();
    }
}

QString FileDialog::run() {
    showLastChoice();
    if (exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = selectedFiles();
    if (chosen.isEmpty() || QFileInfo(chosen.front()).isDir())
        return QString();
    chosenPath_ = chosen.front();
    // Kept by place: with the details hidden, the selected filter reads as its description only.
    if (auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        chosenFilter_ = qMax(0, types->currentIndex());
    return chosenPath_;
}

void FileDialog::done(int result) {
    QFileDialog::done(result);
    // The name-completion list is a window of its own: closed with the dialog, it would stay on
    // the screen over the main window and take the next click.
    for (QCompleter* completer : findChildren<QCompleter*>()) {
        if (completer->popup())
            completer->popup()->hide();
    }
}

FileDialog* makeOpenDialog(QWidget* parent) {
    return new FileDialog(parent, QStringLiteral("OpenDialog1"),
                          QStringLiteral("Všetky podporované formáty|*.bmp;*.jpg;*.jpeg|"
                                         "Bitové mapy (*.bmp)|*.bmp|"
                                         "Jpeg formáty (*.jpg,*.jpeg)|*.jpg;*.jpeg"),
                          QFileDialog::AcceptOpen);
}

FileDialog* makeSaveDialog(QWidget* parent) {
    return new FileDialog(parent, QStringLiteral("SaveDialog1"),
                          QStringLiteral("Bitové mapy (*.bmp)|*.bmp"), QFileDialog::AcceptSave);
}

}  // namespace kreslix
