#pragma once

#include <QImage>
#include <QMainWindow>
#include <memory>

#include "app/command_runner.h"
#include "document/document_state.h"
#include "drawing/stroke_engine.h"
#include "drawing/tool_state.h"

class QBoxLayout;

namespace kreslix {

class ButtonBar;
class ColourPanel;
class MainMenu;
class PictureScrollArea;
class PictureView;
class Prompts;
class StatusPanel;
class ToolPanel;
class ViewZoom;

// `HlavneOkno`, the main window: it builds the panels, menus and buttons and connects each of
// them, through the command runner, to a handler named as given. The handlers hand the work to
// the units that own it.
class THlavneOkno : public QMainWindow, private DrawingTarget {
    Q_OBJECT

public:
    static constexpr int kDesignedWidth = 628;
    static constexpr int kDesignedHeight = 456;

    explicit THlavneOkno(Prompts& prompts, QWidget* parent = nullptr);
    ~THlavneOkno() override;

    // The size the window takes at creation when the system offers `offered`.
    static QSize creationSize(QSize offered);

    DocumentState& document() { return document_; }
    ToolState& tools() { return tools_; }
    StrokeEngine& strokes() { return strokes_; }
    const MainMenu& menu() const { return *menu_; }

    // Prints an image of the client area, and takes that image.
    void PrintFormImage();
    QImage CaptureFormImage();

    // The files the program was started with: the first is opened as Open opens a chosen file;
    // the others are named in a message.
    void openStartFiles(const QStringList& files);

    // The picture's mouse events, in picture coordinates.
    void FormMouseDown(Qt::MouseButton button, QPoint pos);
    void FormMouseMove(QPoint pos);
    void FormMouseUp(Qt::MouseButton button, QPoint pos);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // DrawingTarget
    Canvas& canvas() override { return document_.canvas(); }
    int widthFieldValue() const override;
    void enableSaveButton() override { document_.setSaveButtonEnabled(true); }
    void setModified() override { document_.setModified(true); }

    void FormCreate();
    void FormClose();
    void buildPanels();
    void connectPanels();
    void connectHandlers();
    void connectZoom();
    // Whether a command may run while a stroke is being dragged.
    enum class DuringStroke { end, keep };
    void connectHandler(const QString& item, void (THlavneOkno::*handler)(),
                        DuringStroke stroke = DuringStroke::end);
    void connectButton(const QString& name, void (THlavneOkno::*handler)());
    // The handler as a command: it first ends a stroke being dragged.
    std::function<void()> command(void (THlavneOkno::*handler)());
    bool positionShown() const;
    // The handler wrapped in the command runner, for connecting to a signal.
    template <typename... Args>
    std::function<void(Args...)> guarded(void (THlavneOkno::*handler)(Args...));

    // Handlers of the menus, buttons and panels.
    void New1Click();
    void Open1Click();
    void Save1Click();
    void Saveas1Click();
    void Koprovado1Click();
    void Vlastnosti1Click();
    void Nastavenietlae1Click();
    void Tlacit1Click();
    void Exit1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void KoprovapracovnplochuWindows1Click();
    void Zmazaobrzok1Click();
    void Prevratitvodorovne1Click();
    void Prevrtipodazvislejosi1Click();
    void FarbaPopClick();
    void FarbaPozClick();
    void ZobrNastClick();
    void ZobrFarClick();
    void ZobrazHorneClick();
    void ZobrHelpClick();
    void PozKurzorClick();
    void AboutItemClick();
    void toolButtonClick(int tool);
    void widthButtonClick(int width);
    void hrChange();
    void SpinEdit1Change();
    void fillToggleClick(bool filled);
    void paletteClick(Colour colour);

    Prompts& prompts_;
    CommandRunner runner_;
    DocumentState document_;
    ToolState tools_;
    StrokeEngine strokes_;
    std::unique_ptr<MainMenu> menu_;

    ButtonBar* OknoTlacidla = nullptr;
    ToolPanel* OknoNastroje = nullptr;
    ColourPanel* OknoFarby = nullptr;
    StatusPanel* DolnyPanel = nullptr;
    PictureScrollArea* ScrollBox1 = nullptr;
    PictureView* Image = nullptr;
    QWidget* imageHolder_ = nullptr;
    ViewZoom* viewZoom_ = nullptr;
    QBoxLayout* bottomEdge_ = nullptr;
};

}  // namespace kreslix
