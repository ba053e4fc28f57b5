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

TEST_F(DataFileDialog, SaveAsAsksBeforeReplacingAnExistingFile)
{
    ASSERT_TRUE(QFile(folder.filePath("old.dat")).open(QIODevice::WriteOnly));
    for (const auto& [typed, replace] : {std::pair{"old.dat", false}, std::pair{"old", true}}) {
        QString question;
        const ModalResponder responder([&, typed = QString(typed), replace = replace](QWidget& window) {
            auto* dialog = static_cast<QFileDialog*>(&window);
            const BoxAnswer box(replace ? QMessageBox::Yes : QMessageBox::No);
            Accept(*dialog, typed);
            question = box.text;
            // Declining keeps the file dialog open; the user then cancels it.
            if (!replace) {
                EXPECT_TRUE(dialog->isVisible());
                dialog->reject();
            }
        });
        std::string path = InFolder("start.dat");
        EXPECT_EQ(ChooseDataFile(chooser, FileDialogMode::SaveAs, path), replace);
        EXPECT_TRUE(question.contains("old.dat")) << typed << ": " << question.toStdString();
        EXPECT_EQ(path, InFolder(replace ? "old.dat" : "start.dat")) << typed;
    }
}

}  // namespace
