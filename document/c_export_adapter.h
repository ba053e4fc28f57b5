#pragma once

#include "document/c_export_model.h"

class CCorvinaDoc;

// The document's network, tables and statistics as the C export's plain model.
CExportModel CExportModelOf(const CCorvinaDoc& document);
