#pragma once

#include <string>

#include "document/c_export_model.h"

class NetworkModel;

// A model's network, tables and statistics as the C export's plain model; source names where the
// network came from, such as its file's name.
CExportModel CExportModelOf(const NetworkModel& network, std::string source);
