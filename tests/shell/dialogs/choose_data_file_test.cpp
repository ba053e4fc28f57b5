#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include "modal_driver.h"
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

}  // namespace

TEST_F(DataFileDialog, OffersTheDataFiltersOnThePathAndGivesANameWithoutExtensionDat)
{
    const struct { FileDialogMode mode; QString typed; QString chosen; } cases[] = {
        {FileDialogMode::Open, "", ""},  // cancelled
        {FileDialogMode::SaveAs, "", ""},
        {FileDialogMode::Open, "results", "results.dat"},  // a file to open need not exist
        {FileDialogMode::SaveAs, "results", "results.dat"},
        {FileDialogMode::SaveAs, "table.txt", "table.txt"},
    };
    for (const auto& each : cases) {
        const bool opening = each.mode == FileDialogMode::Open;
        SCOPED_TRACE((opening ? "open " : "save ") + each.typed.toStdString());
        OnNextModal([&](QWidget& window) {
            auto* dialog = qobject_cast<QFileDialog*>(&window);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->nameFilters(), QStringList({"Data Files (*.dat)", "Text Files (*.txt)", "All Files (*)"}));
            EXPECT_EQ(dialog->selectedNameFilter(), "Data Files (*.dat)");
            EXPECT_EQ(dialog->windowTitle(), opening ? "Open" : "Save As");
            EXPECT_EQ(dialog->acceptMode(), opening ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
            EXPECT_EQ(dialog->findChild<QLineEdit*>("fileNameEdit")->text(), "start.dat");
            EXPECT_EQ(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
            if (each.typed.isEmpty())
                dialog->reject();
            else
                Accept(*dialog, each.typed);
        });
        std::string path = InFolder("start.dat");
        EXPECT_EQ(ChooseDataFile(chooser, each.mode, path), !each.typed.isEmpty());
        EXPECT_EQ(path, InFolder(each.typed.isEmpty() ? "start.dat" : each.chosen));
    }
}

TEST_F(DataFileDialog, SaveAsAsksBeforeReplacingAnExistingFile)
{
    ASSERT_TRUE(QFile(folder.filePath("old.dat")).open(QIODevice::WriteOnly));
    for (const auto& [typed, replace] : {std::pair{"old.dat", false}, std::pair{"old", true}}) {
        SCOPED_TRACE(typed);
        QString question;
        OnNextModal([&, typed = QString(typed), replace = replace](QWidget& window) {
            auto* dialog = static_cast<QFileDialog*>(&window);
            OnNextModal([&question, dialog, replace](QWidget& box) {
                question = static_cast<QMessageBox&>(box).text();
                static_cast<QMessageBox&>(box).button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
                // Declining keeps the file dialog open; the user then cancels it.
                if (!replace)
                    QTimer::singleShot(0, dialog, [dialog] {
                        EXPECT_TRUE(dialog->isVisible());
                        dialog->reject();
                    });
            });
            Accept(*dialog, typed);
        });
        std::string path = InFolder("start.dat");
        EXPECT_EQ(ChooseDataFile(chooser, FileDialogMode::SaveAs, path), replace);
        EXPECT_TRUE(question.contains("old.dat")) << question.toStdString();
        EXPECT_EQ(path, InFolder(replace ? "old.dat" : "start.dat"));
    }
}
