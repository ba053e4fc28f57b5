#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "modal_driver.h"
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

    static QLineEdit& Path(QWidget& dialog) { return *Control<QLineEdit>(dialog, CTrainDataDlg::PathEditId); }
    static QCheckBox& Tables(QWidget& dialog) { return *Control<QCheckBox>(dialog, CTrainDataDlg::MakeNewTablesBoxId); }

    ScriptedUser chooser;
    QtNetworkDialogs dialogs{chooser, nullptr};
    TrainingDataFields fields;
};

}  // namespace

TEST_F(TrainingDataRun, StartsEmptyAndTickedAndOkReturnsTheFieldsButCancelNot)
{
    for (const int button : {2, 1}) {
        SCOPED_TRACE(button);
        const bool accepted = Run([button](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Training Data");
            EXPECT_EQ(Path(dialog).text(), "");
            EXPECT_TRUE(Tables(dialog).isChecked());
            Path(dialog).setText("records.txt");
            Tables(dialog).click();
            Click(dialog, button);
        });
        EXPECT_EQ(accepted, button == 1);
        EXPECT_EQ(fields.path, accepted ? "records.txt" : "");
        EXPECT_EQ(fields.makeNewTables, !accepted);
    }
}

TEST_F(TrainingDataRun, BrowseOffersTheTypedPathAndKeepsTheBox)
{
    chooser.fileAnswers = {"/data/training.dat", ""};
    const bool accepted = Run([](QWidget& dialog) {
        Path(dialog).setText("typed.dat");
        Tables(dialog).setChecked(false);
        Click(dialog, CTrainDataDlg::BrowseButtonId);
        EXPECT_EQ(Path(dialog).text(), "/data/training.dat");
        EXPECT_FALSE(Tables(dialog).isChecked());
        Path(dialog).setText("retyped.dat");
        Click(dialog, CTrainDataDlg::BrowseButtonId);
        EXPECT_EQ(Path(dialog).text(), "retyped.dat");
        Click(dialog, 1);
    });
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests[0].mode, FileDialogMode::Open);
    EXPECT_EQ(chooser.offered, std::vector<std::string>({"typed.dat", "retyped.dat"}));
    ASSERT_TRUE(accepted);
    EXPECT_EQ(fields.path, "retyped.dat");
    EXPECT_FALSE(fields.makeNewTables);
}
