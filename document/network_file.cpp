#include "document/network_file.h"

#include <algorithm>
#include <istream>
#include <new>
#include <sstream>
#include <streambuf>

#include "document/network_model.h"
#include "document/settings_block.h"
#include "document/shape_rules.h"
#include "document/transformation_tables.h"
#include "engine/network_shape.h"
#include "framework/input_file.h"

namespace {

// A file holds no count beyond what the shape dialog admits: whatever made it, the dialog could
// not have, so such a count means damage, not a network.
constexpr int32_t MaxFileCount = static_cast<int32_t>(ShapeRules::MaxCount);
constexpr uint64_t TableBytes = TableLength * sizeof(double);
constexpr int32_t WeightsPerNeuron = 4;

bool IsCountAccepted(int32_t count)
{
    return count >= 1 && count <= MaxFileCount;
}

// A shape beyond what the shape dialog admits, or beyond what the engine builds.
[[noreturn]] void RefuseShape(int32_t layers, int32_t inputs, int32_t outputs)
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

// Reads the bytes of a string without copying them.
class ViewBuffer : public std::streambuf {
public:
    explicit ViewBuffer(std::string_view bytes)
    {
        char* first = const_cast<char*>(bytes.data());
        setg(first, first, first + bytes.size());
    }
};

bool ReadFrom(std::istream& stream, uint64_t size, NetworkModel& model, std::string& reason)
{
    if (size == 0) {
        reason = "The file is empty: it holds no network.";
        return false;
    }
    try {
        CArchive archive(stream, size);
        LoadNetwork(archive, model);
        return true;
    } catch (const CArchiveException& error) {
        reason = error.what();
    } catch (const std::bad_alloc&) {
        reason = "There is not enough memory to load it.";
    }
    return false;
}

// The learning settings from the bytes after the average error: the defaults when there are none
// or they are no intact settings block. No more is read than the largest block can hold.
LearningSettings ReadSettingsBlock(CArchive& archive)
{
    constexpr uint64_t LargestBlock = SettingsBlockSignature.size() + 4 + MaxSettingsBlockLength;
    std::string bytes(static_cast<size_t>(std::min(archive.GetRemaining(), LargestBlock)), '\0');
    bytes.resize(archive.Read(bytes.data(), bytes.size()));
    return DecodeSettingsBlock(bytes).settings;
}

}  // namespace

void StoreNetwork(CArchive& archive, const NetworkModel& model)
{
    const int32_t inputs = model.GetInputCount();
    const int32_t outputs = model.GetOutputCount();
    archive << model.GetLayersCount() << inputs << outputs;
    const DiscreteNet& net = model.GetNet();
    for (int32_t neuron = 0; neuron < net.GetNeuronCount(); ++neuron) {
        for (int32_t index = 0; index < WeightsPerNeuron; ++index)
            archive << net.GetWeight(neuron, index);
    }
    archive.Write(model.GetTable(Column::Input, 0), static_cast<size_t>(inputs) * TableBytes);
    archive.Write(model.GetTable(Column::Output, 0), static_cast<size_t>(outputs) * TableBytes);
    archive << model.GetPatternsCount();
    const auto length = static_cast<size_t>(inputs + outputs);
    for (const auto& pattern : model.GetPatterns())
        archive.Write(pattern->GetData(), length);
    archive << static_cast<int32_t>(model.GetPassesCount()) << model.GetAverageError();
    const std::string block = EncodeSettingsBlock(model.Settings());
    archive.Write(block.data(), block.size());
}

void LoadNetwork(CArchive& archive, NetworkModel& model)
{
    int32_t layers = 0;
    int32_t inputs = 0;
    int32_t outputs = 0;
    archive >> layers >> inputs >> outputs;
    if (!IsCountAccepted(layers) || !IsCountAccepted(inputs) || !IsCountAccepted(outputs) ||
        !IsShapeBuildable(layers, inputs, outputs))
        RefuseShape(layers, inputs, outputs);
    const auto neurons = static_cast<uint64_t>(NeuronCountOf(layers, inputs, outputs));
    const auto columns = static_cast<uint64_t>(inputs) + static_cast<uint64_t>(outputs);
    RequireRemaining(archive, WeightsPerNeuron * neurons + TableBytes * columns + 12);

    NetworkModel loaded;
    loaded.CreateNetwork(layers, inputs, outputs);
    DiscreteNet& net = loaded.GetNet();
    for (int32_t neuron = 0; neuron < net.GetNeuronCount(); ++neuron) {
        for (int32_t index = 0; index < WeightsPerNeuron; ++index) {
            uint8_t weight = 0;
            archive >> weight;
            net.SetWeight(neuron, index, weight);
        }
    }
    archive.Read(loaded.GetTable(Column::Input, 0), static_cast<size_t>(inputs) * TableBytes);
    archive.Read(loaded.GetTable(Column::Output, 0), static_cast<size_t>(outputs) * TableBytes);

    int32_t patternCount = 0;
    archive >> patternCount;
    patternCount = std::max(patternCount, 0);  // a count of 0 or less holds no patterns
    RequireRemaining(archive, static_cast<uint64_t>(patternCount) * columns + 8);
    std::vector<std::unique_ptr<TrainingPattern>> patterns;
    patterns.reserve(static_cast<size_t>(patternCount));
    for (int32_t p = 0; p < patternCount; ++p) {
        auto pattern = std::make_unique<TrainingPattern>(static_cast<int32_t>(columns));
        archive.Read(pattern->GetData(), static_cast<size_t>(columns));
        patterns.push_back(std::move(pattern));
    }
    loaded.SetPatterns(std::move(patterns));

    int32_t passes = 0;
    int32_t average = 0;
    // Any average loads as stored: an older build whose error sum wrapped wrote averages outside
    // 0..65025, and refusing them would lose the network. The training pass holds the rate.
    archive >> passes >> average;
    loaded.RestoreStatistics(static_cast<uint32_t>(passes), average);
    loaded.SetSettings(ReadSettingsBlock(archive));
    model.TakeNetworkFrom(std::move(loaded));
}

std::string WriteNetwork(const NetworkModel& model)
{
    std::ostringstream bytes(std::ios::binary);
    CArchive archive(bytes);
    StoreNetwork(archive, model);
    return std::move(bytes).str();
}

bool ReadNetwork(std::string_view bytes, NetworkModel& model, std::string& reason)
{
    ViewBuffer buffer(bytes);
    std::istream stream(&buffer);
    return ReadFrom(stream, bytes.size(), model, reason);
}

bool ReadNetworkFile(const std::string& path, NetworkModel& model, std::string& reason)
{
    InputFile file;
    return file.Open(path, reason) && ReadFrom(file.Stream(), file.Size(), model, reason);
}
