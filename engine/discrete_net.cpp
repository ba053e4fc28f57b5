#include "engine/discrete_net.h"

#include <algorithm>
#include <stdexcept>

#include "engine/activation_table.h"
#include "engine/learn_scratch.h"
#include "engine/network_shape.h"
#include "engine/row_scratch.h"
#include "engine/vector_kernels.h"

namespace {

int32_t CheckedNeuronCount(int32_t neuronCount)
{
    if (neuronCount < 1 || neuronCount > MaxNeuronCount) {
        throw std::length_error("DiscreteNet: neuron count outside 1..MaxNeuronCount");
    }
    return neuronCount;
}

// Neurons randomized per draw taken from the source.
constexpr int32_t RandomizeChunk = 1024;

} // namespace

DiscreteNet::DiscreteNet(int32_t count, PatternBuffer& buffer)
    : outputLevels(buffer.GetOutputLevels()),
      inputLevels(buffer.GetInputLevels()),
      neuronCount(CheckedNeuronCount(count)),
      inputCount(buffer.GetInputCount()),
      outputCount(buffer.GetOutputCount()),
      // Zeroed, so that an unweighted network still computes something defined.
      neurons(static_cast<size_t>(count)),
      targets(std::make_unique<uint8_t[]>(static_cast<size_t>(buffer.GetOutputCount()))),
      // The wrapped two, and room for a vector kernel's last vector to read past them.
      bandSources(std::make_unique<uint8_t[]>(static_cast<size_t>(buffer.GetInputCount()) + 2 + 64))
{
    LoadActivationTable();
    SetPath(path);
}

DiscreteNet::~DiscreteNet() = default;

// The table is a constant of the program, so there is nothing to locate or load that could
// fail; the result 1 (success) is kept for callers written against a loader that could.
int DiscreteNet::LoadActivationTable()
{
    activationTable = &ActivationTable;
    return 1;
}

// The wiring is the band rule itself, which every pass applies as it goes (see BandSources), so
// there is nothing to store.
void DiscreteNet::Wire() {}

Neuron DiscreteNet::GetNeuron(int32_t index) const
{
    const auto j = static_cast<size_t>(index);
    Neuron neuron{};
    const int64_t width = inputCount;
    neuron.firstLayer = index < inputCount ? 1 : 0;
    const int64_t band = index / width;
    const int64_t base = band >= 2 ? width * (band - 1) : 0;
    for (int64_t m = 1; m <= 3; ++m) {
        neuron.sources[m - 1] = static_cast<int32_t>(base + (index + m - 1) % width);
    }
    neuron.sum = neurons.sums[j];
    neuron.error = neurons.errors[j];
    for (size_t m = 0; m < 3; ++m) {
        neuron.inputs[m] = neurons.inputs[m][j];
    }
    for (size_t m = 0; m < 4; ++m) {
        neuron.weights[m] = neurons.weights[m][j];
    }
    neuron.level = neurons.levels[j];
    return neuron;
}

bool DiscreteNet::SetPath(EnginePath newPath)
{
    if (!IsEnginePathSupported(newPath)) {
        return false;
    }
    path = newPath;
    if (UsesVectors() && inputCount <= PassKernels().lanes) {
        NarrowTurns(inputCount, PassKernels().lanes, narrowTurns);
    }
    return true;
}

const uint8_t* DiscreteNet::BandSources(int32_t band)
{
    const auto width = static_cast<size_t>(inputCount);
    const uint8_t* levels = band == 0 ? inputLevels : neurons.levels + static_cast<size_t>(band - 1) * width;
    uint8_t* padded = bandSources.get();
    std::copy(levels, levels + width, padded);
    padded[width] = padded[0];
    padded[width + 1] = padded[1 % width];
    return padded;
}

void DiscreteNet::SetTarget(int32_t output, uint8_t level)
{
    targets[static_cast<size_t>(output)] = level;
}

uint8_t DiscreteNet::GetWeight(int32_t neuron, int32_t index) const
{
    return neurons.weights[index][neuron];
}

void DiscreteNet::SetWeight(int32_t neuron, int32_t index, int32_t value)
{
    neurons.weights[index][neuron] = static_cast<uint8_t>(value & 0xFF);
}

void DiscreteNet::Randomize(RandomSource& random)
{
    for (int32_t first = 0; first < neuronCount; first += RandomizeChunk) {
        const int32_t count = std::min(RandomizeChunk, neuronCount - first);
        const uint16_t* drawn = random.Take(4 * static_cast<size_t>(count));
        for (int32_t j = first; j < first + count; ++j, drawn += 4) {
            for (int32_t m = 0; m < 4; ++m) {
                neurons.weights[m][j] = static_cast<uint8_t>(drawn[m] & 0xFF);
            }
        }
    }
}
