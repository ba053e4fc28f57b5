#include "shell/status_report_page.h"

#include <array>

#include "document/corvina_doc.h"
#include "document/report_lines.h"

namespace {

constexpr int TopMargin = 50;

// The line on which each report line stands; the lines between them stay empty.
constexpr std::array<int, 8> lineNumbers = {1, 2, 3, 5, 6, 8, 9, 10};

}  // namespace

void DrawStatusReportPage(ReportCanvas& canvas, const CCorvinaDoc& document)
{
    const int height = canvas.CharacterHeight();
    const std::array<std::string, 8> lines = StatusReportLines(document.Model());
    for (size_t index = 0; index < lines.size(); ++index)
        canvas.DrawText(0, lineNumbers[index] * height + TopMargin, lines[index]);
}
