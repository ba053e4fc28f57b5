#include <QFile>
#include <QPrinter>

#include "shell_fixture.h"

namespace {

using ReportTest = ShellTest;

TEST_F(ReportTest, PrintWritesOnePageAndACancelledDialogNothing)
{
    const QString pdf = TempPath("report.pdf");
    app->Printer().setOutputFormat(QPrinter::PdfFormat);
    app->Printer().setOutputFileName(pdf);
    {
        const ModalResponder cancel([](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); }, "QPrintDialog");
        app->Router().Execute(ID_FILE_PRINT);
        EXPECT_TRUE(cancel.Answered());
    }
    EXPECT_FALSE(QFile::exists(pdf));
    app->Router().Execute(ID_FILE_PRINT_DIRECT);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1);
}

}  // namespace
