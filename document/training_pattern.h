#pragma once

#include <cstdint>
#include <memory>

// One stored training example: the input levels in input order, then the target levels in
// output order. Its owner knows the length.
class TrainingPattern {
public:
    // Allocates length levels, contents undefined until written.
    explicit TrainingPattern(int32_t length) : levels(new uint8_t[static_cast<size_t>(length)]) {}

    uint8_t GetLevel(int32_t index) const { return levels[static_cast<size_t>(index)]; }
    void SetLevel(int32_t index, uint8_t level) { levels[static_cast<size_t>(index)] = level; }
    uint8_t* GetData() { return levels.get(); }
    const uint8_t* GetData() const { return levels.get(); }

private:
    std::unique_ptr<uint8_t[]> levels;
};
