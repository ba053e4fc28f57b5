#include <QFileDialog>
#include <QLineEdit>

#include "shell_fixture.h"

namespace {

using ExportTest = ShellTest;

// Answers the export's file dialog by typing name (cancelling for an empty one); records what
// it offered.
class ExportDialogAnswer : public ModalResponder {
public:
    explicit ExportDialogAnswer(const QString& name)
        : ModalResponder(
              [this, name](QWidget& window) {
                  auto& dialog = static_cast<QFileDialog&>(window);
                  offeredName = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
                  filters = dialog.nameFilters();
                  title = dialog.windowTitle();
                  if (name.isEmpty()) {
                      dialog.reject();
                      return;
                  }
                  dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
                  QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
              },
              "QFileDialog")
    {
    }

    QString offeredName, title;
    QStringList filters;
};

TEST_F(ExportTest, WritesHeaderAndSourceUnderTheChosenName)
{
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_EXPORT_C));
    const ExportDialogAnswer answer(TempPath("iris"));
    // A message would mean a refusal; closing it keeps the test from waiting.
    BoxAnswer unexpected(QMessageBox::Ok);
    app->Router().Execute(ID_EXPORT_C);
    ASSERT_TRUE(answer.Answered());
    EXPECT_FALSE(unexpected.Answered()) << unexpected.text.toStdString();
    EXPECT_EQ(answer.title, "Save As");
    EXPECT_EQ(answer.offeredName, "Untitled.c");
    EXPECT_EQ(answer.filters, QStringList({"C Source Files (*.c)"}));
    std::ifstream header(TempPath("iris.h").toStdString());
    const std::string text((std::istreambuf_iterator<char>(header)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("void iris_consult(const double *in, double *out);"), std::string::npos);
    EXPECT_TRUE(QFile::exists(TempPath("iris.c")));
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(ExportTest, ABadNameOrATooLargeNetworkIsRefusedAndCancelWritesNothing)
{
    {
        const ExportDialogAnswer answer(TempPath("2fast.c"));
        BoxAnswer box(QMessageBox::Ok);
        app->Router().Execute(ID_EXPORT_C);
        EXPECT_TRUE(box.Answered());
        EXPECT_EQ(box.text.toStdString(),
                  "\"2fast\" cannot name exported C code. Use a letter, then letters, digits and underscores, "
                  "and no C keyword.");
    }
    {
        // Far too large for a device: refused before any text is made.
        Document().CreateNetwork(1, 20000, 20000);
        const ExportDialogAnswer answer(TempPath("big.c"));
        BoxAnswer box(QMessageBox::Ok);
        app->Router().Execute(ID_EXPORT_C);
        EXPECT_TRUE(box.Answered());
        EXPECT_TRUE(box.text.startsWith("The network could not be exported as C: the network needs 82201024 bytes"))
            << box.text.toStdString();
    }
    {
        const ExportDialogAnswer answer{QString()};
        app->Router().Execute(ID_EXPORT_C);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_TRUE(QDir(directory.path()).isEmpty());
}

}  // namespace
