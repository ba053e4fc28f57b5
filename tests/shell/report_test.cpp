#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <vector>

#include "shell/painter_report_canvas.h"
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

TEST_F(ReportTest, NewDocumentReportHasEightLinesAtTheirRows)
{
    RecordingCanvas canvas(13);
    DrawStatusReportPage(canvas, Document());
    const std::vector<RecordingCanvas::Line> expected = {
        {0, 13 + 50, "Discrete NeuralNetwoks by Velmora"},
        {0, 26 + 50, "Layers count 5, TotalNeurons 22"},
        {0, 39 + 50, "Input count 4, Output cout 2"},
        {0, 65 + 50, "Training data not available"},
        {0, 78 + 50, "Training patterns count 0"},
        {0, 104 + 50, "Training process"},
        {0, 117 + 50, "Produced passes count 0"},
        {0, 130 + 50, "Averrage error 10922 (10922 is statical value)"},
    };
    EXPECT_EQ(canvas.lines, expected);
}

TEST_F(ReportTest, ReportReadsTheDocumentWhenDrawn)
{
    Document().ImportTrainingData(WriteTrainingData(17), true);
    for (int pass = 0; pass < 3; ++pass)
        Document().TrainPass();
    Document().SetPassesCount(3000000000u);
    RecordingCanvas canvas(100);
    DrawStatusReportPage(canvas, Document());
    ASSERT_EQ(canvas.lines.size(), 8u);
    EXPECT_EQ(canvas.lines[3].text, "Training data available");
    EXPECT_EQ(canvas.lines[4].text, "Training patterns count 17");
    EXPECT_EQ(canvas.lines[6].text, "Produced passes count 3000000000");
    EXPECT_EQ(canvas.lines[7].text, "Averrage error " + std::to_string(Document().GetAverageError()) +
                                        " (10922 is statical value)");
    EXPECT_EQ(canvas.lines[7].y, 10 * 100 + 50);
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

TEST_F(ReportTest, PrintingToAPdfWritesOnePage)
{
    const QString pdf = TempPath("report.pdf");
    app->Printer().setOutputFormat(QPrinter::PdfFormat);
    app->Printer().setOutputFileName(pdf);
    app->Router().Execute(ID_FILE_PRINT_DIRECT);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1);
}

TEST_F(ReportTest, CancelledPrintDialogPrintsNothingAndPreviewOpens)
{
    const QString pdf = TempPath("cancelled.pdf");
    app->Printer().setOutputFormat(QPrinter::PdfFormat);
    app->Printer().setOutputFileName(pdf);
    const auto reject = [](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); };
    {
        const ModalResponder responder(reject, "QPrintDialog");
        app->Router().Execute(ID_FILE_PRINT);
        EXPECT_TRUE(responder.Answered());
    }
    EXPECT_FALSE(QFile::exists(pdf));
    const ModalResponder preview(reject, "QPrintPreviewDialog");
    app->Router().Execute(ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(preview.Answered());
}

}  // namespace
