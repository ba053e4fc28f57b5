#include <algorithm>

#include "engine/discrete_net.h"
#include "engine/level_lookup.h"

namespace {

// Weighs the three source levels of neuron j, finds its level in the thresholds, and returns
// the upper end of the bracket (the output slot's value).
inline uint8_t EvaluateNeuron(Neuron& neuron, int32_t j, uint32_t first, uint32_t second, uint32_t third)
{
    // Even neurons invert inputs 1 and 3, odd neurons input 2.
    const uint32_t invertOuter = ((static_cast<uint32_t>(j) & 1u) - 1u) & 0xFFu;
    const uint32_t invertMiddle = invertOuter ^ 0xFFu;
    const uint32_t input1 = first ^ invertOuter;
    const uint32_t input2 = second ^ invertMiddle;
    const uint32_t input3 = third ^ invertOuter;
    neuron.inputs[0] = static_cast<uint8_t>(input1);
    neuron.inputs[1] = static_cast<uint8_t>(input2);
    neuron.inputs[2] = static_cast<uint8_t>(input3);
    const uint32_t sum = 128u * neuron.weights[0] + neuron.weights[1] * input1 + neuron.weights[2] * input2 +
                         neuron.weights[3] * input3;
    neuron.sum = sum;
    const LevelBracket bracket = BracketOfSum(sum);
    neuron.level = static_cast<uint8_t>(bracket.lo);
    neuron.error = 0;
    return static_cast<uint8_t>(bracket.hi);
}

} // namespace

void DiscreteNet::Forward()
{
    Neuron* const all = neurons.get();
    const int32_t count = neuronCount;
    const int32_t firstOutput = count - outputCount;
    const int32_t firstLayerEnd = std::min(inputCount, count);
    // Locals, because the byte stores to neurons could otherwise alias the members.
    const uint8_t* const inputs = inputLevels;
    uint8_t* const outputs = outputLevels;
    for (int32_t j = 0; j < firstLayerEnd; ++j) {
        Neuron& neuron = all[j];
        const uint8_t hi = EvaluateNeuron(neuron, j, inputs[neuron.sources[0]], inputs[neuron.sources[1]],
                                          inputs[neuron.sources[2]]);
        if (j >= firstOutput) {
            outputs[count - 1 - j] = hi;
        }
    }
    for (int32_t j = firstLayerEnd; j < count; ++j) {
        Neuron& neuron = all[j];
        const uint8_t hi = EvaluateNeuron(neuron, j, all[neuron.sources[0]].level,
                                          all[neuron.sources[1]].level, all[neuron.sources[2]].level);
        if (j >= firstOutput) {
            outputs[count - 1 - j] = hi;
        }
    }
}
