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

    // Types name into the next file dialog, runs beforeOk on it and presses its OK.
    static void TypeAndAccept(const QString& name, std::function<void(QFileDialog&)> beforeOk = {})
    {
        OnNextModal([name, beforeOk](QWidget& window) {
            auto* dialog = qobject_cast<QFileDialog*>(&window);
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
            if (beforeOk)
                beforeOk(*dialog);
            // QFileDialog::accept is protected; its slot runs the checks of the OK button.
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        });
    }

    QTemporaryDir folder;
    QtFileChooser chooser{nullptr};
};

}  // namespace

TEST_F(DataFileDialog, OffersTheDataFiltersInTheirModeAndStartsOnThePath)
{
    for (const FileDialogMode mode : {FileDialogMode::Open, FileDialogMode::SaveAs}) {
        QStringList filters;
        QString title;
        QString shownName;
        QString shownFolder;
        OnNextModal([&](QWidget& window) {
            auto* dialog = qobject_cast<QFileDialog*>(&window);
            ASSERT_NE(dialog, nullptr);
            filters = dialog->nameFilters();
            title = dialog->windowTitle();
            EXPECT_EQ(dialog->selectedNameFilter(), filters.value(0));
            EXPECT_EQ(dialog->acceptMode(),
                      mode == FileDialogMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
            shownName = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            shownFolder = dialog->directory().absolutePath();
            dialog->reject();
        });
        std::string path = InFolder("start.dat");
        const std::string before = path;
        EXPECT_FALSE(ChooseDataFile(chooser, mode, path));
        EXPECT_EQ(path, before);
        EXPECT_EQ(filters, QStringList({"Data Files (*.dat)", "Text Files (*.txt)", "All Files (*)"}));
        EXPECT_EQ(title, mode == FileDialogMode::Open ? "Open" : "Save As");
        EXPECT_EQ(shownName, "start.dat");
        EXPECT_EQ(shownFolder, QDir(folder.path()).absolutePath());
    }
}

TEST_F(DataFileDialog, ANameWithoutExtensionGetsDatAndNeedNotExist)
{
    const std::pair<FileDialogMode, QString> cases[] = {
        {FileDialogMode::SaveAs, "results"}, {FileDialogMode::Open, "results"}, {FileDialogMode::SaveAs, "table.txt"}};
    for (const auto& [mode, typed] : cases) {
        std::string path = InFolder("start.dat");
        TypeAndAccept(typed);
        ASSERT_TRUE(ChooseDataFile(chooser, mode, path));
        EXPECT_EQ(path, InFolder(typed.contains('.') ? typed : typed + ".dat"));
    }
}

TEST_F(DataFileDialog, SaveAsAsksBeforeReplacingAnExistingFile)
{
    ASSERT_TRUE(QFile(folder.filePath("old.dat")).open(QIODevice::WriteOnly));
    // Declining keeps the file dialog open; the user then cancels it.
    std::string path = InFolder("start.dat");
    QString declined;
    TypeAndAccept("old.dat", [&declined](QFileDialog& dialog) {
        OnNextModal([&declined, &dialog](QWidget& window) {
            auto* box = qobject_cast<QMessageBox*>(&window);
            ASSERT_NE(box, nullptr);
            declined = box->text();
            box->button(QMessageBox::No)->click();
            QTimer::singleShot(0, &dialog, [&dialog] {
                EXPECT_TRUE(dialog.isVisible());
                dialog.reject();
            });
        });
    });
    EXPECT_FALSE(ChooseDataFile(chooser, FileDialogMode::SaveAs, path));
    EXPECT_TRUE(declined.contains("old.dat")) << declined.toStdString();
    EXPECT_EQ(path, InFolder("start.dat"));

    SeenBox confirmed;
    TypeAndAccept("old", [&confirmed](QFileDialog&) { PressOnNextBox(confirmed, QMessageBox::Yes); });
    ASSERT_TRUE(ChooseDataFile(chooser, FileDialogMode::SaveAs, path));
    EXPECT_TRUE(confirmed.shown);
    EXPECT_EQ(path, InFolder("old.dat"));
}
