#include "document/c_export_adapter.h"

#include "document/network_model.h"
#include "document/transformation_tables.h"

namespace {

std::vector<double> TablesOf(const NetworkModel& network, Column column, int32_t count)
{
    std::vector<double> tables;
    tables.reserve(static_cast<size_t>(count) * TableLength);
    for (int32_t index = 0; index < count; ++index) {
        const double* table = network.GetTable(column, index);
        tables.insert(tables.end(), table, table + TableLength);
    }
    return tables;
}

}  // namespace

CExportModel CExportModelOf(const NetworkModel& network, std::string source)
{
    CExportModel model;
    model.layers = network.GetLayersCount();
    model.inputs = network.GetInputCount();
    model.outputs = network.GetOutputCount();
    const DiscreteNet& net = network.GetNet();
    model.weights.reserve(static_cast<size_t>(net.GetNeuronCount()) * 4);
    for (int32_t neuron = 0; neuron < net.GetNeuronCount(); ++neuron) {
        for (int32_t index = 0; index < 4; ++index)
            model.weights.push_back(net.GetWeight(neuron, index));
    }
    model.inputTables = TablesOf(network, Column::Input, model.inputs);
    model.outputTables = TablesOf(network, Column::Output, model.outputs);
    model.source = std::move(source);
    model.passes = network.GetPassesCount();
    model.averageError = network.GetAverageError();
    return model;
}
