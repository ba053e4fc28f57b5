#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// The working values of a network's neurons, one array per field, indexed by neuron: the layout
// that lets a band's neurons be computed side by side. Every array has Padding spare elements
// after its last neuron, so that a vector load at the end of a band stays inside it; all start
// zeroed and 64-byte aligned.
class NeuronArrays {
public:
    static constexpr size_t Padding = 64;

    explicit NeuronArrays(size_t neuronCount);
    virtual ~NeuronArrays();

    NeuronArrays(const NeuronArrays&) = delete;
    NeuronArrays& operator=(const NeuronArrays&) = delete;

    // The array pointers by value, for loops to keep in registers: a store to a byte array
    // could otherwise change them for all the compiler knows.
    struct Fields {
        uint8_t* weights[4];
        uint8_t* inputs[3];
        uint8_t* levels;
        uint32_t* sums;
        int32_t* errors;
        uint64_t* levelEntries;
        // The byte arrays follow one another this far apart: weights 0..3, inputs 1..3, levels.
        size_t byteStride;
    };
    Fields View() const
    {
        return {{weights[0], weights[1], weights[2], weights[3]}, {inputs[0], inputs[1], inputs[2]}, levels, sums, errors,
                levelEntries, byteStride};
    }

    uint8_t* weights[4];   // weight 0 multiplies the constant 128, weight m input m
    uint8_t* inputs[3];    // inputs 1..3 as the last forward pass multiplied them, after inversion
    uint8_t* levels;       // own level of the last forward pass, 0..254
    uint32_t* sums;        // weighted sum of the last forward pass
    int32_t* errors;       // error accumulator of learning, then the neuron's delta
    // The KernelLevelEntries entry of the level (kernel_tables.h), which the forward pass leaves for
    // the vector paths' learning (the scalar path leaves it alone).
    uint64_t* levelEntries;
    // weights[m] + k * byteStride is weights[m + k], inputs follow weights[3] and levels inputs[2].
    size_t byteStride;

private:
    struct AlignedDelete {
        void operator()(std::byte* block) const;
    };
    std::unique_ptr<std::byte, AlignedDelete> storage;
};
