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

// The lines' texts with a document's data are checked with the command line's status report.
TEST_F(ReportTest, NewDocumentReportHasEightLinesOnTheirRowsOfCharacterHeight)
{
    const std::pair<int, const char*> rows[] = {
        {1, "Discrete NeuralNetwoks by Velmora"},
        {2, "Layers count 5, TotalNeurons 22"},
        {3, "Input count 4, Output cout 2"},
        {5, "Training data not available"},
        {6, "Training patterns count 0"},
        {8, "Training process"},
        {9, "Produced passes count 0"},
        {10, "Averrage error 10922 (10922 is statical value)"},
    };
    for (const int height : {13, 100}) {
        RecordingCanvas canvas(height);
        DrawStatusReportPage(canvas, Document());
        std::vector<RecordingCanvas::Line> expected;
        for (const auto& [row, text] : rows)
            expected.push_back({0, row * height + 50, text});
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
