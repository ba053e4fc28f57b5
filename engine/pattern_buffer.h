#pragma once

#include <cstdint>
#include <memory>

// The levels that go into a network (one per input) and come out of it (one per output).
class PatternBuffer {
public:
    // Allocates both arrays; every level starts at 0.
    PatternBuffer(int32_t inputCount, int32_t outputCount);
    virtual ~PatternBuffer();

    PatternBuffer(const PatternBuffer&) = delete;
    PatternBuffer& operator=(const PatternBuffer&) = delete;

    int32_t GetInputCount() const { return inputCount; }
    int32_t GetOutputCount() const { return outputCount; }

    uint8_t* GetInputLevels() { return inputLevels.get(); }
    uint8_t* GetOutputLevels() { return outputLevels.get(); }

    void SetInput(int32_t index, uint8_t level) { inputLevels[static_cast<size_t>(index)] = level; }

    // Output t belongs to neuron N - 1 - t of the network built on this buffer.
    uint8_t GetOutput(int32_t index) const { return outputLevels[static_cast<size_t>(index)]; }

private:
    int32_t inputCount;
    std::unique_ptr<uint8_t[]> inputLevels;
    int32_t outputCount;
    std::unique_ptr<uint8_t[]> outputLevels;
};
