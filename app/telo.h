#pragma once

#include <QMainWindow>
#include <memory>

#include "app/command_runner.h"
#include "document/document_state.h"

class QBoxLayout;
class QScrollArea;

namespace kreslix {

class ButtonBar;
class MainMenu;
class PictureView;
class Prompts;
class StatusPanel;

// `HlavneOkno`, the main window: it builds the panels, menus and buttons and connects each of
// them, through the command runner, to a handler named as given. The handlers hand the work to
// the units that own it.
class THlavneOkno : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kDesignedWidth = 628;
    static constexpr int kDesignedHeight = 456;

    explicit THlavneOkno(Prompts& prompts, QWidget* parent = nullptr);
    ~THlavneOkno() override;

    // The size the window takes at creation when the system offers `offered`.
    static QSize creationSize(QSize offered);

    DocumentState& document() { return document_; }
    const MainMenu& menu() const { return *menu_; }

    void Exit1Click();
    // The close step: may throw SilentAbort to refuse the close.
    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void buildPanels();
    void connectHandlers();
    void connectHandler(const QString& item, void (THlavneOkno::*handler)());

    Prompts& prompts_;
    CommandRunner runner_;
    DocumentState document_;
    std::unique_ptr<MainMenu> menu_;

    ButtonBar* OknoTlacidla = nullptr;
    QWidget* OknoNastroje = nullptr;
    QWidget* OknoFarby = nullptr;
    StatusPanel* DolnyPanel = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    PictureView* Image = nullptr;
    QBoxLayout* bottomEdge_ = nullptr;
};

}  // namespace kreslix
