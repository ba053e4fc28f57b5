#include "shell/command_actions.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "shell/command_router.h"
#include "shell/command_table.h"
#include "shell/menu_layout.h"

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CommandActions::CommandActions(CommandRouter& commandRouter, QWidget& window)
    : QObject(&window), router(commandRouter)
{
    for (const CommandRow& row : CommandTable()) {
        auto* action = new QAction(Text(row.menuText), &window);
        action->setStatusTip(Text(PromptStatusText(row)));
        action->setToolTip(Text(PromptTooltip(row)));
        action->setShortcut(QKeySequence(Text(row.key)));
        action->setShortcutContext(Qt::WindowShortcut);
        if (!row.pictureName.empty())
            action->setIcon(QIcon(":/toolbar/" + Text(row.pictureName)));
        if (row.rule == EnablingRule::ToolbarShown || row.rule == EnablingRule::StatusBarShown)
            action->setCheckable(true);
        const CommandId id = row.id;
        // Checkable actions flip their own mark when triggered; the rule sets it again.
        connect(action, &QAction::triggered, this, [this, id] {
            router.Execute(id);
            RefreshStates();
        });
        window.addAction(action);
        actions[id] = action;
    }
    RefreshStates();
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
