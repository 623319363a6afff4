#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace kreslix {

// The main menu `MainMenu1` and the picture's popup menu `PopupMenu`, built from their tables.
// Every item is a QAction named as the item (New1, Open1...), reachable through actions().
class MainMenu {
public:
    explicit MainMenu(QMainWindow* window);

    QAction* action(const QString& name) const { return actions_.value(name); }
    const QHash<QString, QAction*>& actions() const { return actions_; }
    QMenu* popup() const { return popup_; }

private:
    QHash<QString, QAction*> actions_;
    QMenu* popup_ = nullptr;
};

}  // namespace kreslix
