#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <set>

#include "shell/command_table.h"
#include "shell/menu_layout.h"
#include "shell_fixture.h"

namespace {

using CommandTableTest = ShellTest;

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The menu bar as lines "title/title/item", separators as "-", in order.
void CollectMenu(const QMenu& menu, const QString& path, QStringList& lines)
{
    for (QAction* action : menu.actions()) {
        if (action->menu() != nullptr)
            CollectMenu(*action->menu(), path + action->text() + "/", lines);
        else if (action->isSeparator())
            lines << path + "-";
        else if (action->isVisible())
            lines << path + action->text();
    }
}

TEST_F(CommandTableTest, MenusReadAsTheProgramsMenu)
{
    QStringList lines;
    for (QAction* top : app->Frame()->menuBar()->actions())
        CollectMenu(*top->menu(), top->text() + "/", lines);
    const QStringList expected = {
        "&File/&New\tCtrl+N", "&File/&Open...\tCtrl+O", "&File/&Save\tCtrl+S", "&File/Save &As...", "&File/-",
        "&File/&Print...\tCtrl+P", "&File/Print Pre&view", "&File/P&rint Setup...", "&File/-",
        "&File/Recent File", "&File/-", "&File/E&xit",
        "&View/&Toolbar", "&View/&Status Bar",
        "&Corvina/&Select TD (Ctrl+T)", "&Corvina/&Erase TD", "&Corvina/&Randomization",
        "&Corvina/&Options (Ctrl+M)",
        "&Process/&Training/&Train", "&Process/&Training/&Pause", "&Process/&Consult (Ctrl+C)",
        "&Help/&About Corvina...",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(CommandTableTest, ToolbarHasTwelveButtonsAndFourSeparatorsInOrder)
{
    QStringList buttons;
    for (QAction* action : app->Frame()->ToolBar()->actions())
        buttons << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    const QStringList expected = {"New",   "Open",  "Save",    "|", "Print", "|", "Select TD", "Erase TD",
                                  "Randomization", "Corvina parameters", "|", "Start", "Pause", "Consult", "|",
                                  "About"};
    EXPECT_EQ(buttons, expected);
    for (QAction* action : app->Frame()->ToolBar()->actions()) {
        if (action->isSeparator())
            continue;
        const QSize picture = action->icon().actualSize(QSize(16, 15));
        EXPECT_EQ(picture, QSize(16, 15)) << action->toolTip().toStdString();
    }
}

TEST_F(CommandTableTest, EveryRowGivesItsActionPromptTooltipAndKey)
{
    for (const CommandRow& row : CommandTable()) {
        QAction* action = Action(row.id);
        ASSERT_NE(action, nullptr) << row.id;
        EXPECT_EQ(action->statusTip(), Text(PromptStatusText(row))) << row.id;
        if (!PromptTooltip(row).empty()) {
            EXPECT_EQ(action->toolTip(), Text(PromptTooltip(row))) << row.id;
        }
        EXPECT_EQ(action->shortcut(), QKeySequence(Text(row.key))) << row.id;
    }
    EXPECT_EQ(Action(ID_CONSULT)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(Action(ID_SELECT_TD)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_EQ(Action(ID_OPTIONS)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
}

TEST_F(CommandTableTest, EachCommandIsHandledByTheOwnerItsRowNames)
{
    for (const CommandRow& row : CommandTable()) {
        if (row.id == ID_HELP || row.id == ID_PREV_PANE) {
            EXPECT_FALSE(app->Router().FindHandler(row.id).has_value()) << row.id;
            EXPECT_FALSE(app->Router().QueryState(row.id).enabled) << row.id;
            continue;
        }
        const auto owner = app->Router().FindHandler(row.id);
        ASSERT_TRUE(owner.has_value()) << row.id;
        EXPECT_EQ(*owner, row.owner) << row.id;
    }
}

TEST_F(CommandTableTest, IdentifiersAndToolbarSlotsAreUnique)
{
    std::set<CommandId> ids;
    std::set<int> toolbarSlots;
    for (const CommandRow& row : CommandTable()) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        if (row.toolbarSlot != 0) {
            EXPECT_TRUE(toolbarSlots.insert(row.toolbarSlot).second) << row.toolbarSlot;
        }
    }
    EXPECT_EQ(toolbarSlots.size(), 12u);
    EXPECT_EQ(*toolbarSlots.rbegin(), 12);
}

TEST_F(CommandTableTest, HelpAndPreviousPaneKeysDoNothing)
{
    const QString before = app->Frame()->windowTitle();
    QTest::keyClick(app->Frame(), Qt::Key_F1);
    QTest::keyClick(app->Frame(), Qt::Key_F6, Qt::ShiftModifier);
    RunEventsFor(30);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(app->Frame()->windowTitle(), before);
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(CommandTableTest, ViewCommandsToggleBarsAndTheirCheckMarks)
{
    const QSize size = app->Frame()->size();
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Action(ID_VIEW_TOOLBAR)->isChecked());
    Action(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_TRUE(app->Frame()->ToolBar()->isHidden());
    EXPECT_FALSE(Action(ID_VIEW_TOOLBAR)->isChecked());
    Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_FALSE(Action(ID_VIEW_STATUS_BAR)->isChecked());
    EXPECT_EQ(app->Frame()->size(), size);
    Action(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_TRUE(Action(ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_FALSE(app->Frame()->ToolBar()->isHidden());
}

TEST_F(CommandTableTest, MenuItemStateIsRefreshedWhenTheMenuOpens)
{
    Document().ImportTrainingData(WriteTrainingData(5), true);
    QMenu* corvina = app->Frame()->menuBar()->actions()[2]->menu();
    ASSERT_EQ(corvina->title(), "&Corvina");
    // No idle refresh has run since the import.
    EXPECT_FALSE(Action(ID_ERASE_TD)->isEnabled());
    emit corvina->aboutToShow();
    EXPECT_TRUE(Action(ID_ERASE_TD)->isEnabled());
}

}  // namespace
