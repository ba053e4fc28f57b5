#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "document/c_export_model.h"

// How the exported code holds its transformation tables.
enum class CTableType {
    Double,  // exact: NAME_consult answers what the document answers, bit for bit
    Float,   // for processors without double: entries rounded to float, NAME_consult on floats
};

// What to export and how.
struct CExportOptions {
    std::string name;  // the prefix of every exported name and the stem of both files
    CTableType tables = CTableType::Double;
};

// The bytes the exported code needs: constant data, and working memory on the stack.
struct CExportSizes {
    size_t weights = 0;
    size_t wiring = 0;
    size_t thresholds = 0;
    size_t inputTables = 0;
    size_t outputTables = 0;
    size_t forwardWorking = 0;  // the levels of two bands of neurons, in NAME_forward
    size_t consultWorking = 0;  // the input and output levels, in NAME_consult besides

    size_t ConstantTotal() const { return weights + wiring + thresholds + inputTables + outputTables; }
};

CExportSizes CExportSizesOf(int32_t layers, int32_t inputs, int32_t outputs, CTableType tables);
CExportSizes CExportSizesOf(const CExportModel& model, CTableType tables);

// The most constant data an export writes, far beyond any device; the source text is about five
// times as large.
inline constexpr size_t MaxExportConstantBytes = size_t{64} << 20;

// Why a network of this shape is not exported (its constant data would exceed
// MaxExportConstantBytes), or nullopt when it is.
std::optional<std::string> CExportRefusal(int32_t layers, int32_t inputs, int32_t outputs, CTableType tables);

// The text of the two files.
struct CExportFiles {
    std::string header;  // NAME.h
    std::string source;  // NAME.c
};

// Writes the model as standalone C99: NAME_forward runs the network on levels with integers
// only, NAME_consult quantizes real inputs through the input tables, runs the network and
// dequantizes through the output tables. The model must hold a shape the engine builds and the
// name must be a usable C name (IsUsableCName).
CExportFiles GenerateCExport(const CExportModel& model, const CExportOptions& options);
