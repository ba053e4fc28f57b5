#include <QFile>
#include <QPainter>
#include <QButtonGroup>
#include <QComboBox>
#include <QPrinter>
#include <QToolBar>
#include <vector>

#include "shell/page_setup_dlg.h"
#include "shell/painter_report_canvas.h"
#include "shell/print_preview.h"
#include "document/report_lines.h"
#include "shell/status_report_page.h"
#include "shell_fixture.h"

namespace {

// A canvas that records what is drawn on it, with a character height chosen by the test.
class RecordingCanvas : public ReportCanvas {
public:
    struct Line {
        int x;
        int y;
        std::string text;
        bool operator==(const Line&) const = default;
    };

    explicit RecordingCanvas(int characterHeight) : height(characterHeight) {}
    int CharacterHeight() const override { return height; }
    void DrawText(int x, int y, const std::string& text) override { lines.push_back({x, y, text}); }

    int height;
    std::vector<Line> lines;
};

using ReportTest = ShellTest;

// The eight report lines (their texts are checked where the command line prints them) stand on
// rows 1, 2, 3, 5, 6, 8, 9 and 10 of the character height, below a 50-unit margin.
TEST_F(ReportTest, ReportLinesStandOnTheirRowsOfCharacterHeight)
{
    const auto texts = StatusReportLines(Document().Model());
    const int rows[] = {1, 2, 3, 5, 6, 8, 9, 10};
    for (const int height : {13, 100}) {
        RecordingCanvas canvas(height);
        DrawStatusReportPage(canvas, Document());
        std::vector<RecordingCanvas::Line> expected;
        for (size_t line = 0; line < texts.size(); ++line)
            expected.push_back({0, rows[line] * height + 50, texts[line]});
        EXPECT_EQ(canvas.lines, expected) << height;
    }
}

TEST_F(ReportTest, PainterCanvasUsesTheDevicesFontHeightAndCellTops)
{
    QImage page(600, 800, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PainterReportCanvas canvas(painter);
    const QFontMetrics metrics(painter.font(), &page);
    EXPECT_EQ(canvas.CharacterHeight(), metrics.height());
    canvas.DrawText(0, 50, "Training process");
    painter.end();
    // All ink lies in the character cell whose top is the given y.
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != QColor(Qt::white).rgb())
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.top(), 50);
    EXPECT_LE(ink.bottom(), 50 + metrics.height());
}

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

TEST_F(ReportTest, PreviewToolbarEndsWithCloseThatEndsThePreview)
{
    QString closeTip, closePrompt;
    const ModalResponder responder([&](QWidget& dialog) {
        auto& preview = static_cast<CPrintPreview&>(dialog);
        QAction* last = preview.findChild<QToolBar*>()->actions().constLast();
        ASSERT_EQ(last, preview.CloseAction());
        closeTip = last->toolTip();
        closePrompt = last->statusTip();
        // Shown whole: the toolbar needs no overflow menu to reach Close.
        EXPECT_GE(preview.width(), preview.findChild<QToolBar*>()->sizeHint().width());
        last->trigger();
    }, "CPrintPreview");
    app->Router().Execute(ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(responder.Answered());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(closeTip, "Cancel Preview");
    EXPECT_EQ(closePrompt, "Close print preview mode");
}

QStringList qtWarnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    // The offscreen platform's note on every window that opens is no fault of the program.
    if (type != QtDebugMsg && type != QtInfoMsg && !message.contains("propagateSizeHints"))
        qtWarnings << message;
}

// Print Setup on a printer that writes PDF files sets the paper and orientation when confirmed,
// and Qt has nothing to warn about.
TEST_F(ReportTest, PrintSetupSetsThePageWithoutAWarning)
{
    QPrinter& printer = app->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    for (const bool confirmed : {false, true}) {
        const ModalResponder responder([confirmed](QWidget& dialog) {
            auto& setup = static_cast<CPageSetupDlg&>(dialog);
            setup.PaperSizes()->setCurrentIndex(setup.PaperSizes()->findText(QPageSize::name(QPageSize::Letter)));
            setup.Orientations()->button(QPageLayout::Landscape)->click();
            confirmed ? setup.accept() : setup.reject();
        }, "CPageSetupDlg");
        app->Router().Execute(ID_FILE_PRINT_SETUP);
        EXPECT_TRUE(responder.Answered());
        EXPECT_EQ(printer.pageLayout().pageSize().id(), confirmed ? QPageSize::Letter : QPageSize::A4);
        EXPECT_EQ(printer.pageLayout().orientation(), confirmed ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(qtWarnings, QStringList());
}

}  // namespace
