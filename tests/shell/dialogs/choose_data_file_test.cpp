#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include "tests/support/modal.h"
#include "tests/support/rows.h"
#include "shell/dialogs/choose_data_file.h"
#include "shell/dialogs/qt_file_chooser.h"

namespace {

// The data-file chooser on Qt's own file dialog, in a folder of its own.
class DataFileDialog : public testing::Test {
protected:
    std::string InFolder(const QString& name) const { return QFile::encodeName(folder.filePath(name)).toStdString(); }

    // Types name into the file dialog and presses its OK, which runs the dialog's own checks.
    static void Accept(QFileDialog& dialog, const QString& name)
    {
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    }

    QTemporaryDir folder;
    QtFileChooser chooser{nullptr};
};

struct ChoiceRow {
    const char* name;
    FileDialogMode mode;
    const char* typed;   // "" cancels the dialog
    const char* chosen;
};
PRINTS_AS_NAME(ChoiceRow)

class DataFileChoiceTest : public DataFileDialog, public testing::WithParamInterface<ChoiceRow> {};

TEST_P(DataFileChoiceTest, OffersTheDataFiltersOnThePathAndGivesANameWithoutExtensionDat)
{
    const ChoiceRow& row = GetParam();
    const bool opening = row.mode == FileDialogMode::Open;
    const ModalResponder responder([&](QWidget& window) {
        auto& dialog = static_cast<QFileDialog&>(window);
        EXPECT_EQ(dialog.nameFilters() << dialog.selectedNameFilter() << dialog.windowTitle()
                      << dialog.findChild<QLineEdit*>("fileNameEdit")->text() << dialog.directory().absolutePath(),
                  QStringList({"Data Files (*.dat)", "Text Files (*.txt)", "All Files (*)", "Data Files (*.dat)",
                               opening ? "Open" : "Save As", "start.dat", QDir(folder.path()).absolutePath()}));
        EXPECT_EQ(dialog.acceptMode(), opening ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        *row.typed == '\0' ? dialog.reject() : Accept(dialog, row.typed);
    }, "QFileDialog");
    std::string path = InFolder("start.dat");
    EXPECT_EQ(ChooseDataFile(chooser, row.mode, path), *row.typed != '\0');
    EXPECT_EQ(path, InFolder(*row.typed == '\0' ? "start.dat" : row.chosen));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, DataFileChoiceTest,
    testing::Values(ChoiceRow{"OpenCancelled", FileDialogMode::Open, "", ""},
                    ChoiceRow{"OpenANewName", FileDialogMode::Open, "results", "results.dat"},  // need not exist
                    ChoiceRow{"SaveANewName", FileDialogMode::SaveAs, "results", "results.dat"},
                    ChoiceRow{"SaveWithAnExtension", FileDialogMode::SaveAs, "table.txt", "table.txt"}),
    RowName());

// Saving under the name of an existing data file, typed without its extension, asks first.
TEST_F(DataFileDialog, SaveAsAsksBeforeReplacingAnExistingFile)
{
    ASSERT_TRUE(QFile(folder.filePath("old.dat")).open(QIODevice::WriteOnly));
    QString question;
    const ModalResponder responder([&](QWidget& window) {
        const BoxAnswer box(QMessageBox::Yes);
        Accept(static_cast<QFileDialog&>(window), "old");
        question = box.text;
    });
    std::string path = InFolder("start.dat");
    EXPECT_TRUE(ChooseDataFile(chooser, FileDialogMode::SaveAs, path));
    EXPECT_TRUE(question.contains("old.dat")) << question.toStdString();
    EXPECT_EQ(path, InFolder("old.dat"));
}

}  // namespace
