#include <QFileDialog>

#include "shell_fixture.h"

namespace {

class ExportTest : public ShellTest {
protected:
    // Runs Export as C, answering its file dialog with name (cancelling for an empty one) and
    // any message with OK; returns the message, if there was one.
    QString Export(const QString& name)
    {
        const ModalResponder answer([this, name](QWidget& window) {
            auto& dialog = static_cast<QFileDialog&>(window);
            offered << dialog.windowTitle() << dialog.findChild<QLineEdit*>("fileNameEdit")->text() << dialog.nameFilters();
            if (name.isEmpty())
                return dialog.reject();
            dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
            QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
        }, "QFileDialog");
        const BoxAnswer message(QMessageBox::Ok);
        app->Router().Execute(ID_EXPORT_C);
        EXPECT_TRUE(answer.Answered());
        return message.text;
    }

    QStringList offered;
};

TEST_F(ExportTest, WritesHeaderAndSourceUnderTheChosenName)
{
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_EXPORT_C));
    EXPECT_EQ(Export(TempPath("iris")), "");
    EXPECT_EQ(offered, QStringList({"Save As", "Untitled.c", "C Source Files (*.c)"}));
    const std::string header = ReadFile(TempPath("iris.h").toStdString());
    EXPECT_NE(header.find("void iris_consult(const double *in, double *out);"), std::string::npos);
    EXPECT_TRUE(QFile::exists(TempPath("iris.c")));
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(ExportTest, ABadNameIsRefusedAndCancelWritesNothing)
{
    EXPECT_EQ(Export(TempPath("2fast.c")).toStdString(),
              "\"2fast\" cannot name exported C code. Use a letter, then letters, digits and underscores, "
              "and no C keyword.");
    EXPECT_EQ(Export(QString()), "");
    EXPECT_TRUE(QDir(directory.path()).isEmpty());
}

}  // namespace
