#pragma once

#include "shell/report_canvas.h"

class CCorvinaDoc;

// Draws the one-page status report of document: eight lines at x = 0, each a whole number of
// character heights below the top, plus a margin of 50 units.
void DrawStatusReportPage(ReportCanvas& canvas, const CCorvinaDoc& document);
