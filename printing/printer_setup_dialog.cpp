#include "printing/printer_setup_dialog.h"

#include <cups/ppd.h>

#include <QChildEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "printing/job_options.h"

namespace kreslix {
namespace {

// Qt's print dialog is reduced by hand: it has no options to leave these parts out. The names are
// those of its widgets in Qt 6; a part not found is left as it is.

// Set on Qt's printer-properties dialog once the user confirmed it in this setup.
constexpr char kConfirmed[] = "kreslixConfirmed";

bool isPropertiesDialog(const QObject* object) {
    return object->inherits("QPrintPropertiesDialog");
}

void hide(QWidget* widget) {
    if (widget)
        widget->hide();
}

// Only paper size, orientation and the printer's own properties are left in the properties:
// no margins (the page starts at the printable area's corner), no pages per sheet, no job
// options (scheduling, billing, priority, banner pages).
void hideOtherSettings(QDialog& properties) {
    auto* tabs = properties.findChild<QTabWidget*>(QStringLiteral("tabs"));
    auto* jobOptions = properties.findChild<QWidget*>(QStringLiteral("QCupsJobWidget"));
    // Taken out of the tabs, not deleted: Qt still reads its settings when the dialog closes.
    if (tabs && jobOptions && tabs->indexOf(jobOptions) >= 0)
        tabs->removeTab(tabs->indexOf(jobOptions));
    if (auto* topMargin = properties.findChild<QWidget*>(QStringLiteral("topMargin")))
        hide(topMargin->parentWidget());
    hide(properties.findChild<QWidget*>(QStringLiteral("pagesPerSheetButtonGroup")));
}

void selectPageSize(QComboBox& sizes, const QPageSize& current) {
    int equivalent = -1;
    for (int i = 0; i < sizes.count(); ++i) {
        const QPageSize size = sizes.itemData(i).value<QPageSize>();
        if (size == current) {
            sizes.setCurrentIndex(i);
            return;
        }
        if (equivalent < 0 && size.isValid() && size.isEquivalentTo(current))
            equivalent = i;
    }
    if (equivalent >= 0)
        sizes.setCurrentIndex(equivalent);
}

// The printer driver's option that Qt keeps with the combo box of a printer property.
const ppd_option_t* driverOption(const QComboBox& combo) {
    const QVariant option = combo.property("_q_ppd_option");
    if (qstrcmp(option.metaType().name(), "const ppd_option_s*") != 0)
        return nullptr;
    return *static_cast<const ppd_option_t* const*>(option.constData());
}

// Each combo box of a printer property shows the choice kept in `options`, where there is one.
void selectDriverChoices(QDialog& properties, const QStringList& options) {
    for (QComboBox* combo : properties.findChildren<QComboBox*>()) {
        const ppd_option_t* option = driverOption(*combo);
        const qsizetype at = option ? options.indexOf(QLatin1String(option->keyword)) : -1;
        if (at < 0 || at % 2 != 0 || at + 1 >= options.size())
            continue;
        for (int i = 0; i < combo->count(); ++i) {
            const int choice = combo->itemData(i).toInt();
            if (choice >= 0 && choice < option->num_choices &&
                options[at + 1] == QLatin1String(option->choices[choice].choice)) {
                combo->setCurrentIndex(i);
            }
        }
    }
}

// Qt starts the properties from the driver's defaults; they are to show the printer's settings.
void showSettingsOf(const QPrinter& printer, QDialog& properties) {
    if (auto* sizes = properties.findChild<QComboBox*>(QStringLiteral("pageSizeCombo")))
        selectPageSize(*sizes, printer.pageLayout().pageSize());
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    auto* orientation = properties.findChild<QRadioButton*>(landscape ? QStringLiteral("landscape")
                                                                      : QStringLiteral("portrait"));
    if (orientation && !orientation->isChecked())
        orientation->click();
    selectDriverChoices(properties, cupsOptionsOf(printer));
}

// Watches the properties dialog that Qt's print dialog makes when it needs one: reduces it, and
// until the user confirms it, shows the settings of the printer being set up.
class PropertiesWatcher : public QObject {
public:
    explicit PropertiesWatcher(const QPrinter& printer) : printer_(printer) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (isPropertiesDialog(child)) {
                // Polished, but not yet sized to its contents for showing.
                hideOtherSettings(static_cast<QDialog&>(*child));
                child->installEventFilter(this);
            }
        } else if (isPropertiesDialog(watched)) {
            auto& properties = static_cast<QDialog&>(*watched);
            if (event->type() == QEvent::Show && !properties.property(kConfirmed).toBool()) {
                showSettingsOf(printer_, properties);
            } else if (event->type() == QEvent::Hide && properties.result() == QDialog::Accepted) {
                properties.setProperty(kConfirmed, true);
            }
        }
        return false;
    }

private:
    const QPrinter& printer_;
};

bool propertiesConfirmed(const QPrintDialog& dialog) {
    for (const QDialog* child : dialog.findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        if (isPropertiesDialog(child) && child->property(kConfirmed).toBool())
            return true;
    }
    return false;
}

// The printer's settings that the properties dialog holds, as they were before the dialog.
struct PageSettings {
    QString printer;
    QPageLayout layout;
    QPrinter::ColorMode colour;
    QStringList options;
};

}  // namespace

bool runPrinterSetupDialog(QPrinter& printer, QWidget* owner) {
    const PageSettings before{printer.printerName(), printer.pageLayout(), printer.colorMode(),
                              cupsOptionsOf(printer)};
    QPrintDialog dialog(&printer, owner);
    dialog.setObjectName(QStringLiteral("NastavTlac"));
    dialog.setWindowTitle(QStringLiteral("Nastavenie tlače"));
    // Every print is one page of the window as it stands: no page ranges, selection or file.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        for (QAbstractButton* button : buttons->buttons()) {
            // The dialog chooses the printer for later prints; its confirming button prints
            // nothing.
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                button->setText(QStringLiteral("OK"));
            // "Options" would open copies, page ranges and sets, page order, duplex and colour.
            if (buttons->buttonRole(button) == QDialogButtonBox::ResetRole)
                button->hide();
        }
    }
    PropertiesWatcher watcher(printer);
    dialog.installEventFilter(&watcher);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // Unless the user confirmed the properties, Qt wrote its defaults for the same printer.
    if (!propertiesConfirmed(dialog) && printer.printerName() == before.printer) {
        printer.setPageLayout(before.layout);
        printer.setColorMode(before.colour);
        setCupsOptions(printer, before.options);
    }
    return true;
}

}  // namespace kreslix
