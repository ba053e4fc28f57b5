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

TEST_F(TrainingDataRun, BrowseOffersTheTypedPathOkReturnsTheFieldsAndCancelNot)
{
    chooser.fileAnswers = {"/data/training.dat", ""};
    ASSERT_TRUE(Run([](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Training Data");
        EXPECT_EQ(Path(dialog).text(), "");
        EXPECT_TRUE(Tables(dialog).isChecked());
        Path(dialog).setText("typed.dat");
        Tables(dialog).click();
        Click(dialog, CTrainDataDlg::BrowseButtonId);
        EXPECT_EQ(Path(dialog).text(), "/data/training.dat");
        EXPECT_FALSE(Tables(dialog).isChecked());
        Path(dialog).setText("retyped.dat");
        Click(dialog, CTrainDataDlg::BrowseButtonId);  // cancelled
        EXPECT_EQ(Path(dialog).text(), "retyped.dat");
        Click(dialog, 1);
    }));
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests[0].mode, FileDialogMode::Open);
    EXPECT_EQ(chooser.offered, std::vector<std::string>({"typed.dat", "retyped.dat"}));
    EXPECT_EQ(fields.path, "retyped.dat");
    EXPECT_FALSE(fields.makeNewTables);

    EXPECT_FALSE(Run([](QWidget& dialog) {
        EXPECT_EQ(Path(dialog).text(), "retyped.dat");
        EXPECT_FALSE(Tables(dialog).isChecked());
        Path(dialog).setText("other.dat");
        Tables(dialog).click();
        Click(dialog, 2);
    }));
    EXPECT_EQ(fields.path, "retyped.dat");
    EXPECT_FALSE(fields.makeNewTables);
}
