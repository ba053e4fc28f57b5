#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include "modal_driver.h"
#include "scripted_chooser.h"
#include "shell/dialogs/choose_data_file.h"
#include "shell/dialogs/qt_file_chooser.h"

namespace {

// The data-file chooser on Qt's own file dialog, in a folder of its own.
class DataFileDialog : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    std::string InFolder(const QString& name) const { return QFile::encodeName(folder.filePath(name)).toStdString(); }

    void CreateFile(const QString& name) const
    {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

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

TEST_F(DataFileDialog, ANameWithoutExtensionGetsDat)
{
    for (const FileDialogMode mode : {FileDialogMode::SaveAs, FileDialogMode::Open}) {
        std::string path = InFolder("start.dat");
        TypeAndAccept("results");
        ASSERT_TRUE(ChooseDataFile(chooser, mode, path));
        EXPECT_EQ(path, InFolder("results.dat"));
    }
    std::string path = InFolder("start.dat");
    TypeAndAccept("table.txt");
    ASSERT_TRUE(ChooseDataFile(chooser, FileDialogMode::SaveAs, path));
    EXPECT_EQ(path, InFolder("table.txt"));
}

TEST_F(DataFileDialog, OpenAcceptsAFileThatDoesNotExist)
{
    std::string path = InFolder("start.dat");
    TypeAndAccept("missing.dat");
    ASSERT_TRUE(ChooseDataFile(chooser, FileDialogMode::Open, path));
    EXPECT_EQ(path, InFolder("missing.dat"));
    EXPECT_FALSE(QFile::exists(folder.filePath("missing.dat")));
}

TEST_F(DataFileDialog, SaveAsAsksBeforeReplacingAnExistingFile)
{
    CreateFile("old.dat");
    // Declining keeps the file dialog open; the user then cancels it.
    std::string path = InFolder("start.dat");
    SeenBox declined;
    TypeAndAccept("old.dat", [&declined](QFileDialog& dialog) {
        PressOnNextBox(declined, QMessageBox::No);
        QTimer::singleShot(300, &dialog, [&dialog] {
            EXPECT_TRUE(dialog.isVisible());
            dialog.reject();
        });
    });
    EXPECT_FALSE(ChooseDataFile(chooser, FileDialogMode::SaveAs, path));
    EXPECT_TRUE(declined.shown);
    EXPECT_TRUE(declined.text.contains("old.dat"));
    EXPECT_EQ(path, InFolder("start.dat"));

    SeenBox confirmed;
    TypeAndAccept("old", [&confirmed](QFileDialog&) { PressOnNextBox(confirmed, QMessageBox::Yes); });
    ASSERT_TRUE(ChooseDataFile(chooser, FileDialogMode::SaveAs, path));
    EXPECT_TRUE(confirmed.shown);
    EXPECT_EQ(path, InFolder("old.dat"));
}

TEST(DataFileRequest, NamesTheDataFiltersAndTheDefaultExtension)
{
    ScriptedChooser scripted;
    scripted.answers = {std::string("/chosen.dat")};
    std::string path = "offered.dat";
    ASSERT_TRUE(ChooseDataFile(scripted, FileDialogMode::SaveAs, path));
    EXPECT_EQ(path, "/chosen.dat");
    ASSERT_EQ(scripted.requests.size(), 1u);
    const FileChooserRequest& request = scripted.requests[0];
    EXPECT_EQ(request.mode, FileDialogMode::SaveAs);
    EXPECT_EQ(request.defaultExtension, "dat");
    ASSERT_EQ(request.filters.size(), 3u);
    EXPECT_EQ(request.filters[0].description, "Data Files (*.dat)");
    EXPECT_EQ(request.filters[0].pattern, "*.dat");
    EXPECT_EQ(request.filters[1].description, "Text Files (*.txt)");
    EXPECT_EQ(request.filters[2].description, "All Files (*.*)");
    EXPECT_EQ(scripted.offeredPaths, std::vector<std::string>({"offered.dat"}));
}
