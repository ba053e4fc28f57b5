#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Everything the C export needs of a network, as plain data: the shape, every weight, the input
// and output transformation tables, and a few facts for the generated header's comment. The
// generator reads nothing else, so any model of a network can be exported by filling this in.
struct CExportModel {
    int32_t layers = 0;
    int32_t inputs = 0;
    int32_t outputs = 0;
    // Four weights per neuron, in neuron order, the bias weight first.
    std::vector<uint8_t> weights;
    // 256 entries per input column, column 0 first; entry k is the real value of level k.
    std::vector<double> inputTables;
    // 256 entries per output column, laid out the same way.
    std::vector<double> outputTables;
    // Where the network came from, such as the document's file name.
    std::string source;
    uint32_t passes = 0;
    int32_t averageError = 0;
};
