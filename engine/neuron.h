#pragma once

#include <cstdint>

// One neuron of a DiscreteNet: three inputs, a bias, and its working values of the last pass.
// The fields are ordered so that the record packs into 32 bytes, two to a cache line.
struct Neuron {
    int32_t firstLayer;     // 1 when the sources index pattern inputs, 0 when they index neurons
    int32_t sources[3];     // sources of inputs 1..3
    uint32_t sum;           // weighted sum of the last forward pass
    int32_t error;          // error accumulator of learning, then the neuron's delta
    uint8_t inputs[3];      // inputs 1..3 as the last forward pass multiplied them, after inversion
    uint8_t weights[4];     // weight 0 multiplies the constant 128, weight m input m
    uint8_t level;          // own level of the last forward pass, 0..254
};

static_assert(sizeof(Neuron) == 32);
