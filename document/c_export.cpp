#include "document/c_export.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <map>
#include <string_view>

#include "document/transformation_tables.h"
#include "engine/activation_table.h"
#include "engine/network_shape.h"

namespace {

// The shape as the generated code walks it: bands of W neurons, the layers first, then the
// output neurons; a band reads only the band before it (the first reads the inputs).
struct BandShape {
    uint64_t width = 0;
    uint64_t neurons = 0;
    uint64_t bands = 0;
    uint64_t lastBandWidth = 0;
};

BandShape BandShapeOf(int32_t layers, int32_t inputs, int32_t outputs)
{
    BandShape shape;
    shape.width = static_cast<uint64_t>(inputs);
    shape.neurons = static_cast<uint64_t>(NeuronCountOf(layers, inputs, outputs));
    const uint64_t outputBands = (static_cast<uint64_t>(outputs) + shape.width - 1) / shape.width;
    shape.bands = static_cast<uint64_t>(layers) + outputBands;
    shape.lastBandWidth = static_cast<uint64_t>(outputs) - (outputBands - 1) * shape.width;
    return shape;
}

// The narrowest unsigned type that holds every column number of a band.
size_t ColumnTypeBytes(uint64_t width)
{
    if (width <= 256)
        return 1;
    return width <= 65536 ? 2 : 4;
}

std::string ColumnTypeName(uint64_t width)
{
    return "uint" + std::to_string(8 * ColumnTypeBytes(width)) + "_t";
}

// The tables as the exported code holds them: unchanged, or each entry rounded to float.
std::vector<double> TablesAsStored(const std::vector<double>& tables, CTableType type)
{
    std::vector<double> stored(tables);
    if (type == CTableType::Float) {
        for (double& entry : stored)
            entry = static_cast<double>(static_cast<float>(entry));
    }
    return stored;
}

bool AllNonDecreasing(const std::vector<double>& tables)
{
    for (size_t first = 0; first < tables.size(); first += TableLength) {
        if (!IsNonDecreasing(tables.data() + first))
            return false;
    }
    return true;
}

// Text that may stand inside a C comment: printable ASCII, and no sequence that opens or
// closes a comment.
std::string CommentText(std::string_view text)
{
    std::string safe;
    for (char c : text) {
        const bool printable = c >= ' ' && c <= '~';
        const char shown = printable ? c : '?';
        if (!safe.empty() && ((safe.back() == '*' && shown == '/') || (safe.back() == '/' && shown == '*')))
            safe += ' ';
        safe += shown;
    }
    return safe;
}

std::string Hex(uint64_t bits, int digits)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%0*" PRIX64, digits, bits);
    return text;
}

// One table entry as the bit pattern of its double or float, so that every value, infinities,
// NaN and -0 included, is stored exactly and without a floating-point literal.
std::string EntryInitializer(double entry, CTableType type)
{
    if (type == CTableType::Float) {
        const auto value = static_cast<float>(entry);
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return "{UINT32_C(" + Hex(bits, 8) + ")}";
    }
    uint64_t bits = 0;
    std::memcpy(&bits, &entry, sizeof bits);
    return "{UINT64_C(" + Hex(bits, 16) + ")}";
}

std::string ShortValue(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// Replaces every ${KEY} of text by its value.
std::string Fill(std::string_view text, const std::map<std::string, std::string, std::less<>>& values)
{
    std::string out;
    size_t done = 0;
    for (size_t open = text.find("${"); open != std::string_view::npos; open = text.find("${", done)) {
        const size_t close = text.find('}', open);
        out.append(text.substr(done, open - done));
        out.append(values.at(std::string(text.substr(open + 2, close - open - 2))));
        done = close + 1;
    }
    out.append(text.substr(done));
    return out;
}

constexpr std::string_view SummaryText = R"(/*
 * ${FILE}: the network ${SOURCE} as standalone C99, exported by Corvina.
 *
 * Shape: ${LAYERS} layers of ${WIDTH} neurons, then ${OUTPUTS} output neurons (${NEURONS} neurons in all);
 * ${WIDTH} inputs, ${OUTPUTS} outputs. Trained for ${PASSES} passes; average error ${AVERAGE_ERROR}.
 *
 * Constant data: ${CONSTANT_BYTES} bytes (weights ${WEIGHT_BYTES}, wiring ${WIRING_BYTES}, activation thresholds
 * ${THRESHOLD_BYTES}, input tables ${INPUT_TABLE_BYTES}, output tables ${OUTPUT_TABLE_BYTES}).
 * Working memory on the stack: ${FORWARD_BYTES} bytes of levels in ${NAME}_forward, ${CONSULT_BYTES} more in
 * ${NAME}_consult, besides a few scalars.
 *
${EXACTNESS} */
)";

constexpr std::string_view DoubleExactness =
    R"( * ${NAME}_forward uses integers only. ${NAME}_consult answers what corvina-cli consult answers
 * for the same network, bit for bit, on every input, infinities and NaN included, provided
 * double is IEEE 754 binary64 in the byte order of uint64_t, as on every common processor.
 * Compile it without options such as -ffast-math that relax floating-point comparisons.
)";

constexpr std::string_view FloatExactness =
    R"( * ${NAME}_forward uses integers only. ${NAME}_consult works in float, for processors without
 * double: every table entry is the network's value rounded to the nearest float (values beyond
 * the float range become infinities), and an output is its entry so rounded. A float input x
 * gets the level that corvina-cli consult gives x, except where x equals an input entry that
 * rounding moved up: x then gets that entry's level, where corvina-cli gives a higher one.
 * float must be IEEE 754 binary32 in the byte order of uint32_t. Compile it without options
 * such as -ffast-math that relax floating-point comparisons.
)";

constexpr std::string_view HeaderText = R"(#ifndef ${NAME}_H_INCLUDED
#define ${NAME}_H_INCLUDED

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The number of inputs and of outputs. */
#define ${NAME}_INPUTS ${WIDTH}
#define ${NAME}_OUTPUTS ${OUTPUTS}

/* Runs the network on ${NAME}_INPUTS input levels (0..255) and writes its ${NAME}_OUTPUTS
   output levels (0..255): the levels that the output tables turn into real values. */
void ${NAME}_forward(const uint8_t *in_levels, uint8_t *out_levels);

/* Turns ${NAME}_INPUTS real inputs into levels through the input tables, runs the network and
   writes the ${NAME}_OUTPUTS real values that the output tables give for its output levels.
   in and out may be the same array. */
void ${NAME}_consult(const ${REAL} *in, ${REAL} *out);

#ifdef __cplusplus
}
#endif

#endif
)";

constexpr std::string_view SourcePrologueText = R"(#include "${NAME}.h"

#include <stdint.h>

#define ${NAME}_WIDTH ${WIDTH}u /* neurons in a band: one per input */
#define ${NAME}_NEURONS ${NEURONS}u
#define ${NAME}_BANDS ${BANDS}u /* the layers, then the output neurons in bands of ${NAME}_WIDTH */
#define ${NAME}_LAST_BAND_WIDTH ${LAST_BAND_WIDTH}u

/* A table entry, stored as its bit pattern so that every value is exact. */
typedef union {
    ${BITS} bits;
    ${REAL} value;
} ${NAME}_real;

/* The tables need ${REAL} to be as wide as ${BITS}. */
typedef char ${NAME}_real_is_${BIT_COUNT}_bits[sizeof(${REAL}) == sizeof(${BITS}) ? 1 : -1];

)";

constexpr std::string_view ForwardText = R"(void ${NAME}_forward(const uint8_t *in_levels, uint8_t *out_levels)
{
    /* A band reads only the band before it, so two bands of levels take turns. */
    uint8_t bands[2][${NAME}_WIDTH];
    const uint8_t *before = in_levels;
    uint32_t neuron = 0;
    uint32_t band;

    for (band = 0; band < ${NAME}_BANDS; ++band) {
        uint8_t *levels = bands[band & 1u];
        const uint32_t width = band + 1u < ${NAME}_BANDS ? ${NAME}_WIDTH : ${NAME}_LAST_BAND_WIDTH;
        uint32_t column;
        for (column = 0; column < width; ++column, ++neuron) {
            const uint8_t *weights = ${NAME}_weights[neuron];
            uint32_t sum = (uint32_t)weights[0] * 128u;
            uint32_t lo = 0;
            uint32_t hi = 255;
            uint32_t input;
            uint32_t probe;
            for (input = 1; input <= 3; ++input) {
                uint32_t level = before[${NAME}_wiring[column][input - 1u]];
                /* Input m of neuron j comes in inverted when j + m is odd. */
                if (((neuron + input) & 1u) != 0)
                    level = 255u - level;
                sum += (uint32_t)weights[input] * level;
            }
            /* Eight probes of a bisection: lo is the neuron's level, hi its output level. */
            for (probe = 0; probe < 8; ++probe) {
                const uint32_t mid = (lo + hi) / 2u;
                if (${NAME}_thresholds[mid] <= sum)
                    lo = mid;
                else
                    hi = mid;
            }
            levels[column] = (uint8_t)lo;
            /* The last neuron is output 0, the one before it output 1, and so on. */
            if (neuron >= ${NAME}_NEURONS - (uint32_t)${NAME}_OUTPUTS)
                out_levels[${NAME}_NEURONS - 1u - neuron] = (uint8_t)hi;
        }
        before = levels;
    }
}

)";

constexpr std::string_view BisectionQuantizeText = R"(/* The first level 0..254 whose entry is not less than value, else 255. Entries 0..254 of every
   input table are in ascending order, so a bisection finds it; a NaN value is not less than or
   equal to any entry and gets 255. */
static uint8_t ${NAME}_quantize(const ${NAME}_real *table, ${REAL} value)
{
    uint32_t lo = 0;
    uint32_t hi = 255;
    while (lo < hi) {
        const uint32_t mid = (lo + hi) / 2u;
        if (value <= table[mid].value)
            hi = mid;
        else
            lo = mid + 1u;
    }
    return (uint8_t)lo;
}

)";

constexpr std::string_view ScanQuantizeText = R"(/* The first level 0..254 whose entry is not less than value, else 255; a NaN value is not less
   than or equal to any entry and gets 255. Some input table is not in ascending order, so the
   entries are compared one by one. */
static uint8_t ${NAME}_quantize(const ${NAME}_real *table, ${REAL} value)
{
    uint32_t level;
    for (level = 0; level < 255u; ++level) {
        if (value <= table[level].value)
            break;
    }
    return (uint8_t)level;
}

)";

constexpr std::string_view ConsultText = R"(void ${NAME}_consult(const ${REAL} *in, ${REAL} *out)
{
    uint8_t in_levels[${NAME}_INPUTS];
    uint8_t out_levels[${NAME}_OUTPUTS];
    uint32_t i;

    for (i = 0; i < (uint32_t)${NAME}_INPUTS; ++i)
        in_levels[i] = ${NAME}_quantize(${NAME}_input_tables[i], in[i]);
    ${NAME}_forward(in_levels, out_levels);
    for (i = 0; i < (uint32_t)${NAME}_OUTPUTS; ++i)
        out[i] = ${NAME}_output_tables[i][out_levels[i]].value;
}
)";

class CodeWriter {
public:
    CodeWriter(const CExportModel& model, const CExportOptions& exportOptions)
        : options(exportOptions), shape(BandShapeOf(model.layers, model.inputs, model.outputs)), sizes(CExportSizesOf(model, exportOptions.tables)),
          weights(model.weights), inputTables(TablesAsStored(model.inputTables, exportOptions.tables)),
          outputTables(TablesAsStored(model.outputTables, exportOptions.tables))
    {
        const bool isFloat = options.tables == CTableType::Float;
        values = {
            {"NAME", options.name},
            {"SOURCE", CommentText(model.source)},
            {"LAYERS", std::to_string(model.layers)},
            {"WIDTH", std::to_string(model.inputs)},
            {"OUTPUTS", std::to_string(model.outputs)},
            {"NEURONS", std::to_string(shape.neurons)},
            {"BANDS", std::to_string(shape.bands)},
            {"LAST_BAND_WIDTH", std::to_string(shape.lastBandWidth)},
            {"PASSES", std::to_string(model.passes)},
            {"AVERAGE_ERROR", std::to_string(model.averageError)},
            {"CONSTANT_BYTES", std::to_string(sizes.ConstantTotal())},
            {"WEIGHT_BYTES", std::to_string(sizes.weights)},
            {"WIRING_BYTES", std::to_string(sizes.wiring)},
            {"THRESHOLD_BYTES", std::to_string(sizes.thresholds)},
            {"INPUT_TABLE_BYTES", std::to_string(sizes.inputTables)},
            {"OUTPUT_TABLE_BYTES", std::to_string(sizes.outputTables)},
            {"FORWARD_BYTES", std::to_string(sizes.forwardWorking)},
            {"CONSULT_BYTES", std::to_string(sizes.consultWorking)},
            {"REAL", isFloat ? "float" : "double"},
            {"BITS", isFloat ? "uint32_t" : "uint64_t"},
            {"BIT_COUNT", isFloat ? "32" : "64"},
            {"COLUMN_TYPE", ColumnTypeName(shape.width)},
        };
        values["EXACTNESS"] = Fill(isFloat ? FloatExactness : DoubleExactness, values);
    }

    std::string Header() const { return Summary(".h") + Fill(HeaderText, values); }

    std::string Source() const
    {
        std::string out = Summary(".c");
        out.append(Fill(SourcePrologueText, values));
        Weights(out);
        Wiring(out);
        Thresholds(out);
        out.append("/* Input tables: entry k of table i is the real value of level k of input i. */\n");
        Tables(out, "input", inputTables);
        out.append("/* Output tables: entry k of table t is the real value of level k of output t. */\n");
        Tables(out, "output", outputTables);
        out.append(Fill(ForwardText, values));
        // A bisection is exact only where every input table is in order; a damaged or hand-made
        // table is searched entry by entry instead.
        out.append(Fill(AllNonDecreasing(inputTables) ? BisectionQuantizeText : ScanQuantizeText, values));
        out.append(Fill(ConsultText, values));
        return out;
    }

private:
    std::string Summary(std::string_view extension) const
    {
        auto summaryValues = values;
        summaryValues["FILE"] = options.name + std::string(extension);
        return Fill(SummaryText, summaryValues);
    }

    void Weights(std::string& out) const
    {
        out.append(Fill("/* The weights of every neuron in index order: the bias weight, which multiplies 128, then the\n"
                        "   weights of inputs 1, 2 and 3. */\n"
                        "static const uint8_t ${NAME}_weights[${NAME}_NEURONS][4] = {\n",
                        values));
        for (size_t first = 0; first < weights.size(); first += 4) {
            out.append("    {");
            for (size_t index = first; index < first + 4; ++index) {
                out.append(std::to_string(weights[index]));
                out.append(index < first + 3 ? ", " : "},\n");
            }
        }
        out.append("};\n\n");
    }

    void Wiring(std::string& out) const
    {
        out.append(Fill("/* The columns of the band before that a neuron in column c reads as its inputs 1, 2 and 3:\n"
                        "   c, c + 1 and c + 2, counted round the band. The first band reads the inputs. */\n"
                        "static const ${COLUMN_TYPE} ${NAME}_wiring[${NAME}_WIDTH][3] = {\n",
                        values));
        for (uint64_t column = 0; column < shape.width; ++column) {
            out.append("    {");
            for (uint64_t input = 0; input < 3; ++input) {
                out.append(std::to_string((column + input) % shape.width));
                out.append(input < 2 ? ", " : "},\n");
            }
        }
        out.append("};\n\n");
    }

    void Thresholds(std::string& out) const
    {
        out.append(Fill("/* The activation: a neuron's level is the position of its weighted sum among these. */\n"
                        "static const uint32_t ${NAME}_thresholds[256] = {\n",
                        values));
        for (size_t index = 0; index < ActivationTable.size(); ++index) {
            out.append(index % 8 == 0 ? "    " : " ");
            out.append(std::to_string(ActivationTable[index]));
            out.append(index % 8 == 7 ? "u,\n" : "u,");
        }
        out.append("};\n\n");
    }

    // One table per column, four entries to a line, each line followed by its values as %g.
    void Tables(std::string& out, std::string_view label, const std::vector<double>& tables) const
    {
        const std::string count = label == "input" ? "INPUTS" : "OUTPUTS";
        out.append(Fill("static const ${NAME}_real ${NAME}_" + std::string(label) + "_tables[${NAME}_" + count +
                            "][256] = {\n",
                        values));
        for (size_t first = 0; first < tables.size(); first += TableLength) {
            out.append("    { /* ");
            out.append(label);
            out.append(" ");
            out.append(std::to_string(first / TableLength));
            out.append(" */\n");
            for (size_t line = first; line < first + TableLength; line += 4) {
                std::string shown;
                out.append("       ");
                for (size_t entry = line; entry < line + 4; ++entry) {
                    out.append(" ");
                    out.append(EntryInitializer(tables[entry], options.tables));
                    out.append(",");
                    shown.append(entry == line ? "" : " ");
                    shown.append(ShortValue(tables[entry]));
                }
                out.append(" /* ");
                out.append(shown);
                out.append(" */\n");
            }
            out.append("    },\n");
        }
        out.append("};\n\n");
    }

    const CExportOptions& options;
    BandShape shape;
    CExportSizes sizes;
    const std::vector<uint8_t>& weights;
    std::vector<double> inputTables;
    std::vector<double> outputTables;
    std::map<std::string, std::string, std::less<>> values;
};

}  // namespace

CExportSizes CExportSizesOf(int32_t layers, int32_t inputs, int32_t outputs, CTableType tables)
{
    const BandShape shape = BandShapeOf(layers, inputs, outputs);
    const size_t entryBytes = tables == CTableType::Float ? sizeof(float) : sizeof(double);
    CExportSizes sizes;
    sizes.weights = 4 * shape.neurons;
    sizes.wiring = 3 * shape.width * ColumnTypeBytes(shape.width);
    sizes.thresholds = ActivationTable.size() * sizeof(uint32_t);
    sizes.inputTables = static_cast<size_t>(inputs) * TableLength * entryBytes;
    sizes.outputTables = static_cast<size_t>(outputs) * TableLength * entryBytes;
    sizes.forwardWorking = 2 * shape.width;
    sizes.consultWorking = static_cast<size_t>(inputs) + static_cast<size_t>(outputs);
    return sizes;
}

CExportSizes CExportSizesOf(const CExportModel& model, CTableType tables)
{
    return CExportSizesOf(model.layers, model.inputs, model.outputs, tables);
}

std::optional<std::string> CExportRefusal(int32_t layers, int32_t inputs, int32_t outputs, CTableType tables)
{
    const size_t bytes = CExportSizesOf(layers, inputs, outputs, tables).ConstantTotal();
    if (bytes <= MaxExportConstantBytes)
        return std::nullopt;
    return "the network needs " + std::to_string(bytes) + " bytes of constant data, more than the " +
           std::to_string(MaxExportConstantBytes) + " that the C export writes";
}

CExportFiles GenerateCExport(const CExportModel& model, const CExportOptions& options)
{
    const CodeWriter writer(model, options);
    return {writer.Header(), writer.Source()};
}
