#include "app/telo.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/button_bar.h"
#include "app/glyphs.h"
#include "app/main_menu.h"
#include "app/picture_view.h"
#include "app/status_panel.h"

namespace kreslix {
namespace {

constexpr int kToolPanelWidth = 65;
constexpr int kColourPanelHeight = 45;

}  // namespace

THlavneOkno::THlavneOkno(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), runner_(prompts) {
    setObjectName(QStringLiteral("HlavneOkno"));
    setWindowIcon(glyphs::application());
    menu_ = std::make_unique<MainMenu>(this);
    buildPanels();
    connectHandlers();
    FormCreate();
}

THlavneOkno::~THlavneOkno() = default;

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
    OknoNastroje = new QFrame(client);
    OknoNastroje->setObjectName(QStringLiteral("OknoNastroje"));
    OknoNastroje->setFixedWidth(kToolPanelWidth);
    middle->addWidget(OknoNastroje);

    ScrollBox1 = new QScrollArea(client);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    auto* holder = new QWidget;
    Image = new PictureView(&document_.image(), holder);
    Image->move(1, 0);
    holder->resize(Image->geometry().bottomRight().x() + 1, Image->height());
    ScrollBox1->setWidget(holder);
    middle->addWidget(ScrollBox1, 1);
    column->addLayout(middle, 1);

    bottomEdge_ = new QVBoxLayout;
    bottomEdge_->setSpacing(0);
    OknoFarby = new QFrame(client);
    OknoFarby->setObjectName(QStringLiteral("OknoFarby"));
    OknoFarby->setFixedHeight(kColourPanelHeight);
    bottomEdge_->addWidget(OknoFarby);
    DolnyPanel = new StatusPanel(client);
    bottomEdge_->addWidget(DolnyPanel);
    column->addLayout(bottomEdge_);

    setCentralWidget(client);

    connect(&document_, &DocumentState::pictureChanged, Image, &PictureView::pictureChanged);
    connect(&document_, &DocumentState::pictureReplaced, this, [this, holder] {
        Image->fitPicture();
        holder->resize(Image->width() + 1, Image->height());
    });
    connect(&document_, &DocumentState::captionChanged, this, &QWidget::setWindowTitle);
    QToolButton* save = OknoTlacidla->button(QStringLiteral("TlacitkoUloz"));
    save->setEnabled(document_.saveButtonEnabled());
    connect(&document_, &DocumentState::saveButtonEnabledChanged, save, &QWidget::setEnabled);
    connect(Image, &PictureView::popupRequested, this,
            [this](QPoint at) { menu_->popup()->popup(at); });
}

void THlavneOkno::connectHandler(const QString& item, void (THlavneOkno::*handler)()) {
    QAction* action = menu_->action(item);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this, handler] {
        runner_.run([this, handler] { (this->*handler)(); });
    });
}

void THlavneOkno::connectHandlers() {
    // Every item starts disabled; an item becomes usable only when its command is connected.
    for (QAction* action : menu_->actions()) action->setEnabled(false);
    for (const char* name : {"SpeedButton5", "SpeedButton6", "TlacitkoUloz", "SpeedButton11",
                             "SpeedButton8", "SpeedButton9", "SpeedButton10"}) {
        OknoTlacidla->button(QLatin1String(name))->setEnabled(false);
    }
    connectHandler(QStringLiteral("Exit1"), &THlavneOkno::Exit1Click);
}

void THlavneOkno::Exit1Click() { close(); }

void THlavneOkno::FormClose() {}

void THlavneOkno::closeEvent(QCloseEvent* event) {
    bool allowed = false;
    runner_.run([this, &allowed] {
        FormClose();
        allowed = true;
    });
    event->setAccepted(allowed);
}

}  // namespace kreslix
