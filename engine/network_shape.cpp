#include "engine/network_shape.h"

int64_t NeuronCountOf(int32_t layers, int32_t inputs, int32_t outputs)
{
    // Each product of two int32 values fits in int64, and so does the sum with a third.
    return int64_t{layers} * int64_t{inputs} + int64_t{outputs};
}

bool IsShapeBuildable(int32_t layers, int32_t inputs, int32_t outputs)
{
    return layers >= 1 && inputs >= 1 && outputs >= 1 && NeuronCountOf(layers, inputs, outputs) <= MaxNeuronCount;
}
