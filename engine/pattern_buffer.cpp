#include "engine/pattern_buffer.h"

PatternBuffer::PatternBuffer(int32_t inputs, int32_t outputs)
    : inputCount(inputs),
      inputLevels(std::make_unique<uint8_t[]>(static_cast<size_t>(inputs))),
      outputCount(outputs),
      outputLevels(std::make_unique<uint8_t[]>(static_cast<size_t>(outputs)))
{
}

PatternBuffer::~PatternBuffer() = default;
