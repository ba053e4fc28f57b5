#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionMenuItem>
#include <QToolBar>

#include "shell_fixture.h"

namespace {

using CommandTableTest = ShellTest;

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

TEST_F(CommandTableTest, TableDrivesMenusToolbarKeysAndPrompts)
{
    QStringList menus;
    for (QAction* top : app->Frame()->menuBar()->actions())
        CollectMenu(*top->menu(), top->text() + "/", menus);
    EXPECT_EQ(menus, QStringList({
        "&File/&New\tCtrl+N", "&File/&Open...\tCtrl+O", "&File/&Save\tCtrl+S", "&File/Save &As...", "&File/-",
        "&File/&Print...\tCtrl+P", "&File/Print Pre&view", "&File/P&rint Setup...", "&File/-",
        "&File/Recent File", "&File/-", "&File/E&xit", "&File/-", "&File/&Export as C...", "&View/&Toolbar", "&View/&Status Bar",
        "&View/-", "&View/Training &Curve",
        "&Corvina/&Select TD (Ctrl+T)", "&Corvina/&Erase TD", "&Corvina/&Randomization",
        "&Corvina/&Options (Ctrl+M)", "&Process/&Training/&Train", "&Process/&Training/&Pause",
        "&Process/&Consult (Ctrl+C)", "&Process/-", "&Process/&Evaluate...", "&Process/Training &Options...",
        "&Process/&Restore Best Network", "&Help/&About Corvina...",
    }));

    // The buttons by tooltip, and a few of the status-bar prompts.
    QStringList buttons;
    for (QAction* action : app->Frame()->ToolBar()->actions()) {
        buttons << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
        EXPECT_TRUE(action->isSeparator() || action->icon().actualSize(QSize(16, 15)) == QSize(16, 15));
    }
    EXPECT_EQ(buttons, QStringList({"New", "Open", "Save", "|", "Print", "|", "Select TD", "Erase TD",
                                    "Randomization", "Corvina parameters", "|", "Start", "Pause", "Consult", "|",
                                    "About"}));
    EXPECT_EQ(Action(ID_RANDOMIZATION)->statusTip(), "Randomization of newral network");
    EXPECT_EQ(Action(ID_FILE_MRU_FILE4)->statusTip(), "Open this document");
    EXPECT_EQ(app->Actions()->KeyAction(ID_HELP)->shortcut(), QKeySequence(Qt::Key_F1));

    // The keys nobody handles are disabled.
    for (const CommandId id : {ID_HELP, ID_PREV_PANE})
        EXPECT_FALSE(app->Router().FindHandler(id).has_value() || app->Router().QueryState(id).enabled) << id;
}

// A menu that tells how it would draw an item.
class MenuProbe : public QMenu {
public:
    QString ShownText(QAction* action)
    {
        addAction(action);
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        removeAction(action);
        return option.text;
    }
};

struct CaptionKeyCase {
    const char* name;
    CommandId id;
    Qt::Key key;
    const char* caption;
    const char* dialogCaption;
};

PRINTS_AS_NAME(CaptionKeyCase)

class CaptionKeyTest : public ShellTest, public testing::WithParamInterface<CaptionKeyCase> {};

// The key works even in a field of the form, where Ctrl+C would otherwise copy.
TEST_P(CaptionKeyTest, MenuShowsTheCaptionOnceAndTheKeyStillWorks)
{
    const CaptionKeyCase& row = GetParam();
    EXPECT_EQ(MenuProbe().ShownText(Action(row.id)), row.caption);
    EXPECT_EQ(MenuProbe().ShownText(Action(ID_FILE_NEW)), "&New\tCtrl+N");
    QString opened;
    const ModalResponder responder([&opened](QWidget& dialog) {
        opened = dialog.windowTitle();
        static_cast<QDialog&>(dialog).reject();
    });
    app->Frame()->activateWindow();
    QWidget* field = app->View()->Control(IDC_LEVELS_COUNT);
    field->setFocus();
    QTest::keyClick(field, row.key, Qt::ControlModifier);
    EXPECT_TRUE(RunEventsUntil([&] { return responder.Answered(); }));
    EXPECT_EQ(opened, row.dialogCaption);
}

INSTANTIATE_TEST_SUITE_P(CaptionsWithKeys, CaptionKeyTest,
                         testing::Values(CaptionKeyCase{"SelectTd", ID_SELECT_TD, Qt::Key_T, "&Select TD (Ctrl+T)", "Training Data"},
                                         CaptionKeyCase{"Options", ID_OPTIONS, Qt::Key_M, "&Options (Ctrl+M)", "Create a New Corvina"},
                                         CaptionKeyCase{"Consult", ID_CONSULT, Qt::Key_C, "&Consult (Ctrl+C)", "Consult"}),
                         RowName());

TEST_F(CommandTableTest, MenuItemStateIsRefreshedWhenTheMenuOpens)
{
    Document().ImportTrainingData(WriteTrainingData(5), true);
    QMenu* corvina = app->Frame()->menuBar()->actions()[2]->menu();
    ASSERT_EQ(corvina->title(), "&Corvina");
    EXPECT_FALSE(Action(ID_ERASE_TD)->isEnabled());  // no idle refresh since the import
    emit corvina->aboutToShow();
    EXPECT_TRUE(Action(ID_ERASE_TD)->isEnabled());
}

}  // namespace
