#include "app/telo.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/accessibility.h"
#include "app/button_bar.h"
#include "app/colour_panel.h"
#include "app/command_line.h"
#include "app/error_text.h"
#include "app/file_drop.h"
#include "app/main_menu.h"
#include "app/panel_docking.h"
#include "app/picture_scroll_area.h"
#include "app/picture_view.h"
#include "app/status_panel.h"
#include "app/tool_panel.h"
#include "app/view_zoom.h"
#include "dialogs/memory_figure.h"
#include "dialogs/program_icon.h"
#include "dialogs/spin_edit.h"
#include "dialogs/vlast.h"
#include "document/file_commands.h"
#include "document/new_picture.h"
#include "document/save_changes.h"
#include "drawing/colour_commands.h"
#include "picture_ops/clear_picture.h"
#include "picture_ops/clipboard_commands.h"
#include "picture_ops/flips.h"
#include "printing/capture_form_image.h"
#include "printing/printing_commands.h"

namespace kreslix {

THlavneOkno::THlavneOkno(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), runner_(prompts), strokes_(tools_, *this) {
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("HlavneOkno"));
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    menu_ = std::make_unique<MainMenu>(this);
    buildPanels();
    connectPanels();
    connectHandlers();
    connectZoom();
    FormCreate();
}

THlavneOkno::~THlavneOkno() {
    // Tearing the widgets down takes the focus from a width field, whose leaving may clamp its
    // text; its handler must not run on a window whose members are already gone.
    for (SpinEdit* field : {OknoNastroje->hr(), OknoNastroje->PenSize()})
        field->disconnect(this);
}

QSize THlavneOkno::creationSize(QSize offered) {
    return QSize(std::max(offered.width(), kDesignedWidth),
                 std::max(offered.height(), kDesignedHeight));
}

void THlavneOkno::FormCreate() {
    // Let the system choose the size, then hold it to the designed minimum; the user may make
    // the window smaller later.
    adjustSize();
    resize(creationSize(size()));
    setWindowTitle(document_.caption());
    // The first tab stop has the focus when the window first becomes active.
    OknoNastroje->PenSize()->setFocus(Qt::OtherFocusReason);
}

void THlavneOkno::buildPanels() {
    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    OknoTlacidla = new ButtonBar(client);
    column->addWidget(OknoTlacidla);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    OknoNastroje = new ToolPanel(client);
    middle->addWidget(OknoNastroje);
    ScrollBox1 = new PictureScrollArea(client);
    imageHolder_ = new QWidget;
    Image = new PictureView(&document_.image(), imageHolder_);
    Image->move(1, 0);
    imageHolder_->resize(Image->width() + 1, Image->height());
    ScrollBox1->setWidget(imageHolder_);
    viewZoom_ = new ViewZoom(ScrollBox1, imageHolder_, Image);
    middle->addWidget(ScrollBox1, 1);
    column->addLayout(middle, 1);

    bottomEdge_ = new QVBoxLayout;
    bottomEdge_->setSpacing(0);
    OknoFarby = new ColourPanel(client);
    bottomEdge_->addWidget(OknoFarby);
    DolnyPanel = new StatusPanel(client);
    bottomEdge_->addWidget(DolnyPanel);
    column->addLayout(bottomEdge_);

    setCentralWidget(client);
}

template <typename... Args>
std::function<void(Args...)> THlavneOkno::guarded(void (THlavneOkno::*handler)(Args...)) {
    return [this, handler](Args... args) { runner_.run([&] { (this->*handler)(args...); }); };
}

void THlavneOkno::connectPanels() {
    auto run = [this](auto handler) { return guarded(handler); };
    connect(&document_, &DocumentState::pictureChanged, Image, &PictureView::pictureChanged);
    connect(&document_, &DocumentState::pictureReplaced, viewZoom_, &ViewZoom::pictureReplaced);
    connect(&document_, &DocumentState::captionChanged, this, &QWidget::setWindowTitle);
    connect(Image, &PictureView::pressed, this, run(&THlavneOkno::FormMouseDown));
    connect(Image, &PictureView::moved, this, run(&THlavneOkno::FormMouseMove));
    connect(Image, &PictureView::released, this, run(&THlavneOkno::FormMouseUp));
    connect(Image, &PictureView::popupRequested, this,
            [this](QPoint at) { menu_->popup()->popup(at); });
    connect(ScrollBox1, &PictureScrollArea::popupRequested, this, [this](QPoint at) {
        // Opened by a key, it starts on its first item, as the keys and a screen reader expect.
        QMenu* popup = menu_->popup();
        popup->popup(at);
        popup->setActiveAction(popup->actions().value(0));
    });

    // A click cannot reach the panels while the left button holds a stroke open; the keyboard
    // and assistive technology wait as well.
    const ChoiceGuard guard{[this] { return !Image->leftButtonHeld(); },
                            [this] { prompts_.beep(); }};
    OknoNastroje->setGuard(guard);
    OknoFarby->setGuard(guard);
    connect(OknoNastroje, &ToolPanel::toolChosen, this, run(&THlavneOkno::toolButtonClick));
    connect(OknoNastroje, &ToolPanel::widthChosen, this, run(&THlavneOkno::widthButtonClick));
    connect(OknoNastroje, &ToolPanel::fillChosen, this, run(&THlavneOkno::fillToggleClick));
    connect(OknoNastroje->hr(), &SpinEdit::textChanged, this, run(&THlavneOkno::hrChange));
    connect(OknoNastroje->PenSize(), &SpinEdit::textChanged, this,
            run(&THlavneOkno::SpinEdit1Change));
    for (SpinEdit* field : {OknoNastroje->hr(), OknoNastroje->PenSize()}) {
        field->setRefusalBeep([this] { prompts_.beep(); });
    }

    connect(OknoFarby, &ColourPanel::paletteClicked, this, run(&THlavneOkno::paletteClick));
    connect(OknoFarby, &ColourPanel::foregroundSwatchClicked, this,
            run(&THlavneOkno::FarbaPopClick));
    connect(OknoFarby, &ColourPanel::backgroundSwatchClicked, this,
            run(&THlavneOkno::FarbaPozClick));
    connect(&tools_, &ToolState::foregroundChanged, OknoFarby->FarbaPop(), &ColourCell::setColour);
    connect(&tools_, &ToolState::backgroundChanged, OknoFarby->FarbaPoz(), &ColourCell::setColour);
}

// Commands read or change the picture, or show a modal window in which the mouse button may be
// released unseen: a stroke being dragged ends first, its preview taken off the picture, so that
// no stray figure is saved, copied or cleared, and nothing follows the mouse afterwards. Only
// the View items, which touch neither the picture nor the mouse, leave the stroke alone.
std::function<void()> THlavneOkno::command(void (THlavneOkno::*handler)()) {
    return [this, handler] {
        runner_.run([&] {
            strokes_.cancelStroke();
            (this->*handler)();
        });
    };
}

void THlavneOkno::connectHandler(const QString& item, void (THlavneOkno::*handler)(),
                                 DuringStroke stroke) {
    QAction* action = menu_->action(item);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this,
            stroke == DuringStroke::end ? command(handler) : guarded(handler));
}

void THlavneOkno::connectHandlers() {
    // Every item starts disabled; an item becomes usable only when its command is connected.
    for (QAction* action : menu_->actions())
        action->setEnabled(false);
    for (const char* name : {"SpeedButton5", "SpeedButton6", "TlacitkoUloz", "SpeedButton11",
                             "SpeedButton8", "SpeedButton9", "SpeedButton10"}) {
        OknoTlacidla->button(QLatin1String(name))->setEnabled(false);
    }
    connectHandler(QStringLiteral("New1"), &THlavneOkno::New1Click);
    connectHandler(QStringLiteral("Open1"), &THlavneOkno::Open1Click);
    connectHandler(QStringLiteral("Save1"), &THlavneOkno::Save1Click);
    connectHandler(QStringLiteral("Saveas1"), &THlavneOkno::Saveas1Click);
    connectHandler(QStringLiteral("Koprovado1"), &THlavneOkno::Koprovado1Click);
    connectHandler(QStringLiteral("Vlastnosti1"), &THlavneOkno::Vlastnosti1Click);
    connectHandler(QStringLiteral("Nastavenietlae1"), &THlavneOkno::Nastavenietlae1Click);
    connectHandler(QStringLiteral("Tlacit1"), &THlavneOkno::Tlacit1Click);
    connectHandler(QStringLiteral("Exit1"), &THlavneOkno::Exit1Click);
    connectHandler(QStringLiteral("Nastavifarbupopredia1"), &THlavneOkno::FarbaPopClick);
    connectHandler(QStringLiteral("Nastavifarbupozadia1"), &THlavneOkno::FarbaPozClick);
    connectHandler(QStringLiteral("ZobrNast"), &THlavneOkno::ZobrNastClick, DuringStroke::keep);
    connectHandler(QStringLiteral("ZobrFar"), &THlavneOkno::ZobrFarClick, DuringStroke::keep);
    connectHandler(QStringLiteral("ZobrazHorne"), &THlavneOkno::ZobrazHorneClick,
                   DuringStroke::keep);
    connectHandler(QStringLiteral("ZobrHelp"), &THlavneOkno::ZobrHelpClick, DuringStroke::keep);
    connectHandler(QStringLiteral("PozKurzor"), &THlavneOkno::PozKurzorClick, DuringStroke::keep);
    connectHandler(QStringLiteral("AboutItem"), &THlavneOkno::AboutItemClick);
    connectHandler(QStringLiteral("Cut1"), &THlavneOkno::Cut1Click);
    connectHandler(QStringLiteral("Copy1"), &THlavneOkno::Copy1Click);
    connectHandler(QStringLiteral("Paste1"), &THlavneOkno::Paste1Click);
    connectHandler(QStringLiteral("KoprovapracovnplochuWindows1"),
                   &THlavneOkno::KoprovapracovnplochuWindows1Click);
    connectHandler(QStringLiteral("Zmazaobrzok1"), &THlavneOkno::Zmazaobrzok1Click);
    connectHandler(QStringLiteral("Prevratitvodorovne1"), &THlavneOkno::Prevratitvodorovne1Click);
    connectHandler(QStringLiteral("Prevrtipodazvislejosi1"),
                   &THlavneOkno::Prevrtipodazvislejosi1Click);
    connectHandler(QStringLiteral("Vystrihn1"), &THlavneOkno::Cut1Click);
    connectHandler(QStringLiteral("Koprova1"), &THlavneOkno::Copy1Click);
    connectHandler(QStringLiteral("Prilepi1"), &THlavneOkno::Paste1Click);
    connectHandler(QStringLiteral("Zmaza1"), &THlavneOkno::Zmazaobrzok1Click);

    connectButton(QStringLiteral("SpeedButton5"), &THlavneOkno::New1Click);
    connectButton(QStringLiteral("SpeedButton6"), &THlavneOkno::Open1Click);
    connectButton(QStringLiteral("TlacitkoUloz"), &THlavneOkno::Save1Click);
    connectButton(QStringLiteral("SpeedButton11"), &THlavneOkno::Tlacit1Click);
    connectButton(QStringLiteral("SpeedButton8"), &THlavneOkno::Cut1Click);
    connectButton(QStringLiteral("SpeedButton9"), &THlavneOkno::Copy1Click);
    connectButton(QStringLiteral("SpeedButton10"), &THlavneOkno::Paste1Click);
    // The Save button mirrors the document's state from now on.
    QToolButton* save = OknoTlacidla->button(QStringLiteral("TlacitkoUloz"));
    save->setEnabled(document_.saveButtonEnabled());
    connect(&document_, &DocumentState::saveButtonEnabledChanged, save, &QWidget::setEnabled);
}

// Zoom has no menu items: the keys desktop programs share, Ctrl+wheel and a pinch. Like the View
// items it leaves a stroke being dragged alone.
void THlavneOkno::connectZoom() {
    const std::pair<QKeyCombination, void (ViewZoom::*)()> keys[] = {
        {Qt::CTRL | Qt::Key_Plus, &ViewZoom::zoomIn},
        {Qt::CTRL | Qt::Key_Equal, &ViewZoom::zoomIn},
        {Qt::CTRL | Qt::Key_Minus, &ViewZoom::zoomOut},
        {Qt::CTRL | Qt::Key_0, &ViewZoom::actualSize}};
    for (const auto& [key, handler] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, viewZoom_, handler);
    }
    connect(viewZoom_, &ViewZoom::zoomChanged, this, [this](int step) {
        DolnyPanel->setZoomText(zoom_steps::percentText(step), step != zoom_steps::kActualSize);
    });
}

void THlavneOkno::connectButton(const QString& name, void (THlavneOkno::*handler)()) {
    QToolButton* button = OknoTlacidla->button(name);
    button->setEnabled(true);
    connect(button, &QToolButton::clicked, this, command(handler));
}

int THlavneOkno::widthFieldValue() const {
    return OknoNastroje->hr()->value();
}

bool THlavneOkno::positionShown() const {
    return menu_->action("PozKurzor")->isChecked();
}

void THlavneOkno::FormMouseDown(Qt::MouseButton, QPoint pos) {
    strokes_.FormMouseDown(pos.x(), pos.y());
    if (positionShown()) {
        DolnyPanel->setPanelText(1, QStringLiteral("%1,%2").arg(pos.x()).arg(pos.y()));
    }
}

void THlavneOkno::FormMouseMove(QPoint pos) {
    strokes_.FormMouseMove(pos.x(), pos.y());
    if (positionShown()) {
        DolnyPanel->setPanelText(0, QStringLiteral("Pozícia: %1,%2").arg(pos.x()).arg(pos.y()));
    }
}

void THlavneOkno::FormMouseUp(Qt::MouseButton, QPoint pos) {
    strokes_.FormMouseUp(pos.x(), pos.y());
}

void THlavneOkno::Exit1Click() {
    close();
}

void THlavneOkno::New1Click() {
    kreslix::New1Click(document_, prompts_);
}

void THlavneOkno::Open1Click() {
    kreslix::Open1Click(document_, prompts_);
}

void THlavneOkno::Save1Click() {
    kreslix::Save1Click(document_, prompts_);
}

void THlavneOkno::Saveas1Click() {
    kreslix::Saveas1Click(document_, prompts_);
}

void THlavneOkno::Koprovado1Click() {
    kreslix::Koprovado1Click(document_, prompts_);
}

void THlavneOkno::Vlastnosti1Click() {
    kreslix::Vlastnosti1Click(document_.image().size(), prompts_);
}

// The figure is the installed total, recomputed at every showing, in the user's own number
// format (the program's default locale is Slovak for its texts, whatever the user's is).
void THlavneOkno::AboutItemClick() {
    prompts_.showAbout(memoryFigure(totalPhysicalMemory(), QLocale::system()));
}

void THlavneOkno::Nastavenietlae1Click() {
    printingCommands().setUpPrinter(prompts_);
}

void THlavneOkno::Tlacit1Click() {
    PrintFormImage();
}

// The client area is everything below the menu bar.
void THlavneOkno::PrintFormImage() {
    const ScreenGridLeftOut noGrid(*Image);
    printingCommands().printFormImage(*centralWidget());
}

QImage THlavneOkno::CaptureFormImage() {
    const ScreenGridLeftOut noGrid(*Image);
    return kreslix::CaptureFormImage(*centralWidget());
}

void THlavneOkno::Cut1Click() {
    kreslix::Cut1Click(document_, prompts_);
}

void THlavneOkno::Copy1Click() {
    kreslix::Copy1Click(document_);
}

void THlavneOkno::Paste1Click() {
    kreslix::Paste1Click(document_, prompts_);
}

void THlavneOkno::KoprovapracovnplochuWindows1Click() {
    kreslix::KoprovapracovnplochuWindows1Click(document_, prompts_);
}

void THlavneOkno::Zmazaobrzok1Click() {
    kreslix::Zmazaobrzok1Click(document_, tools_, prompts_);
}

void THlavneOkno::Prevratitvodorovne1Click() {
    kreslix::Prevratitvodorovne1Click(document_, prompts_);
}

void THlavneOkno::Prevrtipodazvislejosi1Click() {
    kreslix::Prevrtipodazvislejosi1Click(document_, prompts_);
}

// Every close asks, whatever the flag; Cancel refuses the close by a silent abort.
void THlavneOkno::FormClose() {
    runSaveChangesStep(document_, prompts_);
}

void THlavneOkno::closeEvent(QCloseEvent* event) {
    bool allowed = false;
    runner_.run([this, &allowed] {
        strokes_.cancelStroke();
        FormClose();
        allowed = true;
    });
    event->setAccepted(allowed);
}

void THlavneOkno::openStartFiles(const QStringList& files) {
    if (files.isEmpty())
        return;
    runner_.run([&] { openChosenFile(document_, prompts_, files.front()); });
    if (files.size() > 1)
        prompts_.showError(errorBoxText(filesNotOpenedMessage(files.mid(1))));
}

void THlavneOkno::dragEnterEvent(QDragEnterEvent* event) {
    acceptPictureDrop(*event);
}

void THlavneOkno::dragMoveEvent(QDragMoveEvent* event) {
    acceptPictureDrop(*event);
}

void THlavneOkno::dropEvent(QDropEvent* event) {
    if (const std::optional<QString> file = acceptPictureDrop(*event)) {
        // Opened once the drop has ended, so that the program the file came from is not kept
        // waiting while the save-changes prompt is shown.
        QMetaObject::invokeMethod(
            this,
            [this, path = *file] {
                runner_.run([&] {
                    strokes_.cancelStroke();
                    openChosenFile(document_, prompts_, path);
                });
            },
            Qt::QueuedConnection);
    }
}

void THlavneOkno::FarbaPopClick() {
    chooseForegroundColour(canvas(), tools_, prompts_);
}

void THlavneOkno::FarbaPozClick() {
    chooseBackgroundColour(canvas(), tools_, prompts_);
}

// The View items are checkable actions: choosing one has already inverted its check mark, and
// each handler inverts the panel it switches, so the two always agree.
void THlavneOkno::ZobrNastClick() {
    OknoNastroje->setVisible(!OknoNastroje->isVisibleTo(this));
}

void THlavneOkno::ZobrFarClick() {
    setPanelShown(bottomEdge_, OknoFarby, !OknoFarby->isVisibleTo(this));
}

void THlavneOkno::ZobrazHorneClick() {
    OknoTlacidla->setVisible(!OknoTlacidla->isVisibleTo(this));
}

void THlavneOkno::ZobrHelpClick() {
    setPanelShown(bottomEdge_, DolnyPanel, !DolnyPanel->isVisibleTo(this));
    menu_->action("PozKurzor")->setEnabled(menu_->action("ZobrHelp")->isChecked());
}

void THlavneOkno::PozKurzorClick() {
    if (!positionShown()) {
        DolnyPanel->setPanelText(0, QString());
        DolnyPanel->setPanelText(1, QString());
    }
}

void THlavneOkno::toolButtonClick(int tool) {
    tools_.CurrentTool = static_cast<quint8>(tool);
    OknoNastroje->showFillToggles(showsFillToggles(tools_.CurrentTool));
}

void THlavneOkno::widthButtonClick(int width) {
    canvas().pen().setWidth(width);
    OknoNastroje->hr()->setValue(width);
}

void THlavneOkno::hrChange() {
    if (const auto button = applyWidthField(canvas().pen(), OknoNastroje->hr()->value())) {
        OknoNastroje->pushWidthButton(*button);
    }
}

void THlavneOkno::SpinEdit1Change() {
    canvas().pen().setWidth(OknoNastroje->PenSize()->value());
}

void THlavneOkno::fillToggleClick(bool filled) {
    canvas().brush().setStyle(filled ? bsSolid : bsClear);
}

void THlavneOkno::paletteClick(Colour colour) {
    takePaletteColour(canvas(), tools_, colour);
}

}  // namespace kreslix
