#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "shell/dialogs/qt_network_dialogs.h"
#include "shell/dialogs/train_data_dlg.h"
#include "tests/framework/fakes.h"
#include "tests/support/modal.h"

namespace {

QLineEdit& Path(QWidget& dialog) { return *Control<QLineEdit>(dialog, CTrainDataDlg::PathEditId); }
QCheckBox& Tables(QWidget& dialog) { return *Control<QCheckBox>(dialog, CTrainDataDlg::MakeNewTablesBoxId); }

// The "Training Data" dialog run as the Select TD command runs it.
TEST(TrainingDataDialogTest, BrowseOffersTheTypedPathOkReturnsTheFieldsAndCancelNot)
{
    ScriptedUser chooser;
    QtNetworkDialogs dialogs{chooser, nullptr};
    TrainingDataFields fields;
    chooser.fileAnswers = {"/data/training.dat", ""};
    {
        const ModalResponder responder([](QWidget& dialog) {
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
        });
        ASSERT_TRUE(dialogs.RunTrainingDataDialog(fields));
    }
    EXPECT_EQ(chooser.requests.at(0).mode, FileDialogMode::Open);
    EXPECT_EQ(chooser.offered, std::vector<std::string>({"typed.dat", "retyped.dat"}));
    EXPECT_EQ(std::pair(fields.path, fields.makeNewTables), std::pair(std::string("retyped.dat"), false));

    // The dialog opens with them; Cancel keeps them.
    const ModalResponder cancel([](QWidget& dialog) {
        EXPECT_EQ(Path(dialog).text(), "retyped.dat");
        Path(dialog).setText("other.dat");
        Click(dialog, 2);
    });
    EXPECT_FALSE(dialogs.RunTrainingDataDialog(fields));
    EXPECT_EQ(fields.path, "retyped.dat");
}

}  // namespace
