#include "printing/printer_setup_dialog.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>

namespace kreslix {

bool runPrinterSetupDialog(QPrinter& printer, QWidget* owner) {
    QPrintDialog dialog(&printer, owner);
    dialog.setObjectName(QStringLiteral("NastavTlac"));
    dialog.setWindowTitle(QStringLiteral("Nastavenie tlače"));
    // Every print is one page of the window as it stands: no page ranges, selection or file.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    // The dialog chooses the printer for later prints; its confirming button prints nothing.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace kreslix
