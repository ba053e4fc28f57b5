#include "shell/command_actions.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "shell/command_router.h"
#include "shell/command_table.h"
#include "shell/menu_layout.h"
#include "shell/scalable_picture.h"

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A menu shows an action's key in a column of its own unless the caption already has a tab
// before a key name. Captions such as "&Select TD (Ctrl+T)" name their key in the text itself,
// so their key lives on a second action that no menu shows.
bool CaptionNamesItsKey(const CommandRow& row)
{
    return !row.key.empty() && !row.menuText.empty() && row.menuText.find('\t') == std::string_view::npos;
}

}  // namespace

CommandActions::CommandActions(CommandRouter& commandRouter, QWidget& window)
    : QObject(&window), router(commandRouter)
{
    for (const CommandRow& row : CommandTable()) {
        auto* action = new QAction(Text(row.menuText), &window);
        action->setStatusTip(Text(PromptStatusText(row)));
        action->setToolTip(Text(PromptTooltip(row)));
        if (!CaptionNamesItsKey(row))
            SetKey(*action, row);
        if (!row.pictureName.empty())
            action->setIcon(ScalablePicture(":/toolbar/" + Text(row.pictureName)));
        if (row.rule == EnablingRule::ToolbarShown || row.rule == EnablingRule::StatusBarShown ||
            row.rule == EnablingRule::TrainingCurveShown)
            action->setCheckable(true);
        ConnectToCommand(*action, row.id);
        window.addAction(action);
        actions[row.id] = action;
        if (CaptionNamesItsKey(row)) {
            auto* keyAction = new QAction(&window);
            SetKey(*keyAction, row);
            ConnectToCommand(*keyAction, row.id);
            window.addAction(keyAction);
            keyActions[row.id] = keyAction;
        }
    }
    RefreshStates();
}

void CommandActions::SetKey(QAction& action, const CommandRow& row)
{
    action.setShortcut(QKeySequence(Text(row.key)));
    action.setShortcutContext(Qt::WindowShortcut);
}

void CommandActions::ConnectToCommand(QAction& action, CommandId id)
{
    // Checkable actions flip their own mark when triggered; the rule sets it again. The router
    // checks the rule before it runs the command, so a key action needs no state of its own.
    connect(&action, &QAction::triggered, this, [this, id] {
        router.Execute(id);
        RefreshStates();
    });
}

QAction* CommandActions::KeyAction(CommandId id) const
{
    const auto separate = keyActions.find(id);
    return separate != keyActions.end() ? separate->second : Action(id);
}

QAction* CommandActions::Action(CommandId id) const
{
    const auto found = actions.find(id);
    return found == actions.end() ? nullptr : found->second;
}

void CommandActions::BuildMenus(QMenuBar& menuBar)
{
    std::vector<QMenu*> open;
    for (const MenuStep& step : MenuLayout()) {
        switch (step.kind) {
        case MenuStep::Open: {
            QMenu* menu = open.empty() ? menuBar.addMenu(Text(step.title)) : open.back()->addMenu(Text(step.title));
            connect(menu, &QMenu::aboutToShow, this, &CommandActions::RefreshStates);
            open.push_back(menu);
            break;
        }
        case MenuStep::Item:
            open.back()->addAction(Action(step.id));
            break;
        case MenuStep::Separator:
            open.back()->addSeparator();
            break;
        case MenuStep::Close:
            open.pop_back();
            break;
        }
    }
}

void CommandActions::BuildToolBar(QToolBar& toolBar)
{
    std::vector<const CommandRow*> buttons;
    for (const CommandRow& row : CommandTable())
        if (row.toolbarSlot != 0)
            buttons.push_back(&row);
    std::sort(buttons.begin(), buttons.end(),
              [](const CommandRow* left, const CommandRow* right) { return left->toolbarSlot < right->toolbarSlot; });
    const std::span<const int> separators = ToolbarSeparatorsAfter();
    for (const CommandRow* row : buttons) {
        toolBar.addAction(Action(row->id));
        if (std::find(separators.begin(), separators.end(), row->toolbarSlot) != separators.end())
            toolBar.addSeparator();
    }
}

void CommandActions::RefreshStates()
{
    for (const auto& [id, action] : actions) {
        const CommandState state = router.QueryState(id);
        if (action->isEnabled() != state.enabled)
            action->setEnabled(state.enabled);
        if (action->isCheckable() && action->isChecked() != state.checked)
            action->setChecked(state.checked);
    }
}

void CommandActions::ShowRecentFiles(const QStringList& paths)
{
    for (int index = 0; index < RecentFileCount; ++index) {
        QAction* action = Action(ID_FILE_MRU_FILE1 + index);
        if (index < paths.size())
            action->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(QFileInfo(paths[index]).fileName().replace(u'&', QStringLiteral("&&"))));
        else if (index == 0)
            action->setText(QStringLiteral("Recent File"));
        action->setVisible(index == 0 || index < paths.size());
    }
    RefreshStates();
}
