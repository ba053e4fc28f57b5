#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "modal_driver.h"
#include "scripted_chooser.h"
#include "shell/dialogs/qt_network_dialogs.h"
#include "shell/dialogs/train_data_dlg.h"

namespace {

// The "Training Data" dialog run as the Select TD command runs it.
class TrainingDataRun : public testing::Test {
protected:
    bool Run(std::function<void(QWidget&)> script)
    {
        OnNextModal(std::move(script));
        return dialogs.RunTrainingDataDialog(fields);
    }

    static QLineEdit& PathField(QWidget& dialog) { return *Control<QLineEdit>(dialog, CTrainDataDlg::PathEditId); }
    static QCheckBox& TablesBox(QWidget& dialog)
    {
        return *Control<QCheckBox>(dialog, CTrainDataDlg::MakeNewTablesBoxId);
    }

    ScriptedChooser chooser;
    QtNetworkDialogs dialogs{chooser, nullptr};
    TrainingDataFields fields;
};

}  // namespace

TEST_F(TrainingDataRun, AFreshDialogStartsEmptyAndTickedAndOkReturnsTheFields)
{
    QString shownPath = "not read";
    bool shownTicked = false;
    QString title;
    const bool accepted = Run([&](QWidget& dialog) {
        title = dialog.windowTitle();
        shownPath = PathField(dialog).text();
        shownTicked = TablesBox(dialog).isChecked();
        PathField(dialog).setText("records.txt");
        TablesBox(dialog).click();
        Click(dialog, 1);
    });
    EXPECT_EQ(title, "Training Data");
    EXPECT_EQ(shownPath, "");
    EXPECT_TRUE(shownTicked);
    ASSERT_TRUE(accepted);
    EXPECT_EQ(fields.path, "records.txt");
    EXPECT_FALSE(fields.makeNewTables);
}

TEST_F(TrainingDataRun, CancelChangesNothing)
{
    fields = {"kept.dat", true};
    const bool accepted = Run([](QWidget& dialog) {
        PathField(dialog).setText("other.dat");
        TablesBox(dialog).setChecked(false);
        Click(dialog, 2);
    });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(fields.path, "kept.dat");
    EXPECT_TRUE(fields.makeNewTables);
}

TEST_F(TrainingDataRun, BrowseOffersTheTypedPathAndKeepsTheBox)
{
    chooser.answers = {std::string("/data/training.dat"), std::nullopt};
    QString afterChoice;
    QString afterCancel;
    bool stillCleared = true;
    const bool accepted = Run([&](QWidget& dialog) {
        PathField(dialog).setText("typed.dat");
        TablesBox(dialog).setChecked(false);
        Click(dialog, CTrainDataDlg::BrowseButtonId);
        afterChoice = PathField(dialog).text();
        stillCleared = !TablesBox(dialog).isChecked();
        PathField(dialog).setText("retyped.dat");
        Click(dialog, CTrainDataDlg::BrowseButtonId);
        afterCancel = PathField(dialog).text();
        Click(dialog, 1);
    });
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests[0].mode, FileDialogMode::Open);
    EXPECT_EQ(chooser.offeredPaths, std::vector<std::string>({"typed.dat", "retyped.dat"}));
    EXPECT_EQ(afterChoice, "/data/training.dat");
    EXPECT_TRUE(stillCleared);
    EXPECT_EQ(afterCancel, "retyped.dat");
    ASSERT_TRUE(accepted);
    EXPECT_EQ(fields.path, "retyped.dat");
    EXPECT_FALSE(fields.makeNewTables);
}
