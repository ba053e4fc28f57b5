#pragma once

#include <QObject>
#include <QString>
#include <map>

#include "shell/command_ids.h"

class CommandRouter;
struct CommandRow;
class QAction;
class QMenuBar;
class QToolBar;
class QWidget;

// The Qt actions of the command table: one per command, triggering it through the router and
// showing the state its rule gives. Menus and the toolbar are built from them.
class CommandActions : public QObject {
    Q_OBJECT

public:
    // The actions' keys act while window is active.
    CommandActions(CommandRouter& router, QWidget& window);

    // The action of id, or nullptr.
    QAction* Action(CommandId id) const;

    // The action that carries id's key: its own action, or a second one when the caption names
    // the key and the menu should not show it again.
    QAction* KeyAction(CommandId id) const;

    // Fills menuBar by the menu layout.
    void BuildMenus(QMenuBar& menuBar);

    // Fills toolBar with the commands that have a toolbar slot, separated as the table says.
    void BuildToolBar(QToolBar& toolBar);

    // Sets every action's enabled state and check mark by the enabling rules.
    void RefreshStates();

    // Shows the recent-file entries: "&1 name" and so on, the first as the greyed "Recent File"
    // while there are none, and hides the rest.
    void ShowRecentFiles(const QStringList& paths);

private:
    static void SetKey(QAction& action, const CommandRow& row);
    void ConnectToCommand(QAction& action, CommandId id);

    CommandRouter& router;
    std::map<CommandId, QAction*> actions;
    std::map<CommandId, QAction*> keyActions;
};
