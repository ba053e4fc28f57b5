#include "document/corvina_doc.h"

#include <algorithm>
#include <string>

#include "document/transformation_tables.h"
#include "engine/network_shape.h"

namespace {

constexpr int32_t MaxFileCount = 100000;
constexpr uint64_t TableBytes = TableLength * sizeof(double);

bool IsCountAccepted(int32_t count)
{
    return count >= 1 && count <= MaxFileCount;
}

// A shape beyond what the shape dialog admits, or beyond what the engine builds.
void RefuseShape(int32_t layers, int32_t inputs, int32_t outputs)
{
    throw CArchiveException("It is not a Corvina network: its shape of " + std::to_string(layers) + " layers, " +
                            std::to_string(inputs) + " inputs and " + std::to_string(outputs) +
                            " outputs cannot be built.");
}

// Checked before anything of that size is built, so a damaged count allocates nothing large.
void RequireRemaining(const CArchive& archive, uint64_t bytes)
{
    if (archive.GetRemaining() < bytes)
        throw CArchiveException("The file ends early: its counts need " + std::to_string(bytes) +
                                " more bytes, it holds " + std::to_string(archive.GetRemaining()) + ".");
}

}  // namespace

void CCorvinaDoc::Serialize(CArchive& archive)
{
    if (archive.IsStoring())
        StoreTo(archive);
    else
        LoadFrom(archive);
}

void CCorvinaDoc::StoreTo(CArchive& archive) const
{
    const int32_t inputs = GetInputCount();
    const int32_t outputs = GetOutputCount();
    archive << layers << inputs << outputs;
    for (int32_t neuron = 0; neuron < net->GetNeuronCount(); ++neuron) {
        for (int32_t index = 0; index < 4; ++index)
            archive << net->GetWeight(neuron, index);
    }
    archive.Write(inputTables.get(), static_cast<size_t>(inputs) * TableBytes);
    archive.Write(outputTables.get(), static_cast<size_t>(outputs) * TableBytes);
    archive << GetPatternsCount();
    const auto length = static_cast<size_t>(inputs + outputs);
    for (const auto& pattern : patterns)
        archive.Write(pattern->GetData(), length);
    archive << static_cast<int32_t>(passes) << GetAverageError();
}

// Every count is checked against what the file still holds before anything large is built, so
// a damaged or foreign file is refused like a truncated one.
void CCorvinaDoc::LoadFrom(CArchive& archive)
{
    int32_t fileLayers = 0;
    int32_t inputs = 0;
    int32_t outputs = 0;
    archive >> fileLayers >> inputs >> outputs;
    if (!IsCountAccepted(fileLayers) || !IsCountAccepted(inputs) || !IsCountAccepted(outputs) ||
        !IsShapeBuildable(fileLayers, inputs, outputs))
        RefuseShape(fileLayers, inputs, outputs);
    const auto neurons = static_cast<uint64_t>(NeuronCountOf(fileLayers, inputs, outputs));
    const auto columns = static_cast<uint64_t>(inputs) + static_cast<uint64_t>(outputs);
    RequireRemaining(archive, 4 * neurons + TableBytes * columns + 12);

    CreateNetwork(fileLayers, inputs, outputs);
    for (int32_t neuron = 0; neuron < net->GetNeuronCount(); ++neuron) {
        for (int32_t index = 0; index < 4; ++index) {
            uint8_t weight = 0;
            archive >> weight;
            net->SetWeight(neuron, index, weight);
        }
    }
    archive.Read(inputTables.get(), static_cast<size_t>(inputs) * TableBytes);
    archive.Read(outputTables.get(), static_cast<size_t>(outputs) * TableBytes);

    int32_t patternCount = 0;
    archive >> patternCount;
    patternCount = std::max(patternCount, 0);  // a count of 0 or less holds no patterns
    RequireRemaining(archive, static_cast<uint64_t>(patternCount) * columns + 8);
    patterns.reserve(static_cast<size_t>(patternCount));
    for (int32_t p = 0; p < patternCount; ++p) {
        auto pattern = std::make_unique<TrainingPattern>(static_cast<int32_t>(columns));
        archive.Read(pattern->GetData(), static_cast<size_t>(columns));
        patterns.push_back(std::move(pattern));
    }

    int32_t filePasses = 0;
    int32_t average = 0;
    // Any average loads as stored: an older build whose error sum wrapped wrote averages outside
    // 0..65025, and refusing them would lose the network. The training pass clamps the rate.
    archive >> filePasses >> average;
    passes = static_cast<uint32_t>(filePasses);
    errorHistory.Fill(average);
    UpdateAllViews(nullptr, UpdateHint::All);
}
