#include "engine/discrete_net.h"

#include <stdexcept>

#include "engine/activation_table.h"
#include "engine/learning_rules.h"
#include "engine/network_shape.h"

namespace {

int32_t CheckedNeuronCount(int32_t neuronCount)
{
    if (neuronCount < 1 || neuronCount > MaxNeuronCount) {
        throw std::length_error("DiscreteNet: neuron count outside 1..MaxNeuronCount");
    }
    return neuronCount;
}

} // namespace

DiscreteNet::DiscreteNet(int32_t count, PatternBuffer& buffer)
    : outputLevels(buffer.GetOutputLevels()),
      inputLevels(buffer.GetInputLevels()),
      neuronCount(CheckedNeuronCount(count)),
      inputCount(buffer.GetInputCount()),
      outputCount(buffer.GetOutputCount()),
      // Zeroed, so that an unwired, unweighted network still computes something defined.
      neurons(std::make_unique<Neuron[]>(static_cast<size_t>(count))),
      targets(std::make_unique<uint8_t[]>(static_cast<size_t>(buffer.GetOutputCount())))
{
    LoadActivationTable();
}

DiscreteNet::~DiscreteNet() = default;

// The table is a constant of the program, so there is nothing to locate or load that could
// fail; the result 1 (success) is kept for callers written against a loader that could.
int DiscreteNet::LoadActivationTable()
{
    activationTable = &ActivationTable;
    return 1;
}

void DiscreteNet::Wire()
{
    const int64_t width = inputCount;
    for (int64_t j = 0; j < neuronCount; ++j) {
        Neuron& neuron = neurons[static_cast<size_t>(j)];
        neuron.firstLayer = j < width ? 1 : 0;
        const int64_t band = j / width;
        const int64_t base = band >= 2 ? width * (band - 1) : 0;
        for (int64_t m = 1; m <= 3; ++m) {
            neuron.sources[m - 1] = static_cast<int32_t>(base + (j + m - 1) % width);
        }
    }
}

void DiscreteNet::SetTarget(int32_t output, uint8_t level)
{
    targets[static_cast<size_t>(output)] = level;
}

uint8_t DiscreteNet::GetWeight(int32_t neuron, int32_t index) const
{
    return neurons[static_cast<size_t>(neuron)].weights[index];
}

void DiscreteNet::SetWeight(int32_t neuron, int32_t index, int32_t value)
{
    neurons[static_cast<size_t>(neuron)].weights[index] = static_cast<uint8_t>(value & 0xFF);
}

void DiscreteNet::Randomize(RandomSource& random)
{
    Neuron* const end = neurons.get() + neuronCount;
    for (Neuron* neuron = neurons.get(); neuron != end; ++neuron) {
        const uint16_t* drawn = random.Take(4);
        for (int32_t m = 0; m < 4; ++m) {
            neuron->weights[m] = static_cast<uint8_t>(drawn[m] & 0xFF);
        }
    }
}
