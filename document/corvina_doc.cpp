#include "document/corvina_doc.h"

#include <stdexcept>

#include "document/transformation_tables.h"
#include "engine/network_shape.h"

CCorvinaDoc::CCorvinaDoc(UserInterface* ui) : userInterface(ui) {}

CCorvinaDoc::~CCorvinaDoc()
{
    patterns.clear();
    // The net refers to the buffer's level arrays, so it goes first.
    net.reset();
    patternBuffer.reset();
}

void CCorvinaDoc::CreateNetwork(int32_t newLayers, int32_t inputs, int32_t outputs)
{
    // Everything is built aside first, so a refused or too large shape leaves the old network.
    if (!IsShapeBuildable(newLayers, inputs, outputs))
        throw std::length_error("network shape cannot be built");
    const auto neuronCount = static_cast<int32_t>(NeuronCountOf(newLayers, inputs, outputs));
    auto newBuffer = std::make_unique<PatternBuffer>(inputs, outputs);
    auto newNet = std::make_unique<DiscreteNet>(neuronCount, *newBuffer);
    auto newValues = std::make_unique<double[]>(static_cast<size_t>(inputs));
    auto newInputTables = std::make_unique<double[]>(static_cast<size_t>(inputs) * TableLength);
    auto newOutputTables = std::make_unique<double[]>(static_cast<size_t>(outputs) * TableLength);
    newNet->Wire();

    net.reset();
    patterns.clear();
    layers = newLayers;
    patternBuffer = std::move(newBuffer);
    net = std::move(newNet);
    consultValues = std::move(newValues);
    inputTables = std::move(newInputTables);
    outputTables = std::move(newOutputTables);
}

void CCorvinaDoc::ResetStatistics()
{
    passes = 0;
    errorHistory.Fill(ErrorHistory::ResetValue);
}

bool CCorvinaDoc::ConfirmDestroyExperience()
{
    if (passes == 0 && patterns.empty())
        return true;
    if (userInterface == nullptr)
        return true;
    return userInterface->messages.AskYesNo(
               "Network has an experience. Performing this operation will destroy it! Perform anyway?") ==
           Answer::Yes;
}

int32_t CCorvinaDoc::GetInputCount() const
{
    return patternBuffer->GetInputCount();
}

int32_t CCorvinaDoc::GetOutputCount() const
{
    return patternBuffer->GetOutputCount();
}

bool CCorvinaDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    ResetStatistics();
    CreateNetwork(DefaultLayers, DefaultInputs, DefaultOutputs);
    FillIdentityTables(inputTables.get(), GetInputCount());
    FillIdentityTables(outputTables.get(), GetOutputCount());
    return true;
}

double* CCorvinaDoc::TableBlock(Column column) const
{
    return column == Column::Input ? inputTables.get() : outputTables.get();
}

double* CCorvinaDoc::GetTable(Column column, int32_t index)
{
    return TableBlock(column) + static_cast<size_t>(index) * TableLength;
}

const double* CCorvinaDoc::GetTable(Column column, int32_t index) const
{
    return TableBlock(column) + static_cast<size_t>(index) * TableLength;
}

uint8_t CCorvinaDoc::Quantize(double value, Column column, int32_t index) const
{
    return QuantizeThroughTable(GetTable(column, index), value);
}

double CCorvinaDoc::Dequantize(uint8_t level, Column column, int32_t index) const
{
    return GetTable(column, index)[level];
}

void CCorvinaDoc::SetConsultPaths(std::string inputPath, std::string outputPath)
{
    consultInputPath = std::move(inputPath);
    consultOutputPath = std::move(outputPath);
}
