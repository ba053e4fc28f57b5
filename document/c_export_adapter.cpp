#include "document/c_export_adapter.h"

#include "document/corvina_doc.h"
#include "document/transformation_tables.h"

namespace {

std::vector<double> TablesOf(const CCorvinaDoc& document, Column column, int32_t count)
{
    std::vector<double> tables;
    tables.reserve(static_cast<size_t>(count) * TableLength);
    for (int32_t index = 0; index < count; ++index) {
        const double* table = document.GetTable(column, index);
        tables.insert(tables.end(), table, table + TableLength);
    }
    return tables;
}

}  // namespace

CExportModel CExportModelOf(const CCorvinaDoc& document)
{
    CExportModel model;
    model.layers = document.GetLayersCount();
    model.inputs = document.GetInputCount();
    model.outputs = document.GetOutputCount();
    const DiscreteNet& net = document.GetNet();
    model.weights.reserve(static_cast<size_t>(net.GetNeuronCount()) * 4);
    for (int32_t neuron = 0; neuron < net.GetNeuronCount(); ++neuron) {
        for (int32_t index = 0; index < 4; ++index)
            model.weights.push_back(net.GetWeight(neuron, index));
    }
    model.inputTables = TablesOf(document, Column::Input, model.inputs);
    model.outputTables = TablesOf(document, Column::Output, model.outputs);
    model.source = document.GetTitle();
    model.passes = document.GetPassesCount();
    model.averageError = document.GetAverageError();
    return model;
}
