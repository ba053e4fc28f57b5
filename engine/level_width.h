#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/activation_table.h"

// The sum width around one neuron level (the two threshold gaps beside it, one at the ends),
// with multiply-and-shift reciprocals that divide by it exactly: a 31-bit magnitude by
// (magnitude * magnitudeMultiplier) >> magnitudeShift, a 15-bit draw by
// (draw * drawMultiplier) >> drawShift.
struct LevelWidth {
    uint64_t magnitudeMultiplier;
    uint32_t magnitudeShift;
    uint32_t width;
    uint32_t drawMultiplier;
    uint32_t drawShift;
};

// Largest magnitude that LevelWidth::magnitudeMultiplier divides exactly.
inline constexpr uint32_t LevelWidthMaxMagnitude = 0x7FFFFFFFu;

namespace level_width_detail {

// ceil(2^(bits + l) / d) with l = ceil(log2 d) divides every n < 2^bits exactly: the rounding
// error of the multiplier stays below 2^l / 2^(bits + l) per unit of n, too small to reach the
// next multiple of d.
constexpr void MakeReciprocal(uint32_t divisor, uint32_t bits, uint64_t& multiplier, uint32_t& shift)
{
    uint32_t ceilLog2 = 0;
    while ((uint64_t{1} << ceilLog2) < divisor) {
        ++ceilLog2;
    }
    shift = bits + ceilLog2;
    multiplier = ((uint64_t{1} << shift) + divisor - 1) / divisor;
}

constexpr std::array<LevelWidth, 255> MakeLevelWidths()
{
    std::array<LevelWidth, 255> widths{};
    for (size_t level = 0; level < widths.size(); ++level) {
        size_t upper = level + 1;
        size_t lower = level == 0 ? 0 : level - 1;
        LevelWidth& entry = widths[level];
        entry.width = ActivationTable[upper] - ActivationTable[lower];
        MakeReciprocal(entry.width, 31, entry.magnitudeMultiplier, entry.magnitudeShift);
        uint64_t drawMultiplier = 0;
        MakeReciprocal(entry.width, 15, drawMultiplier, entry.drawShift);
        entry.drawMultiplier = static_cast<uint32_t>(drawMultiplier);
    }
    return widths;
}

} // namespace level_width_detail

// LevelWidth of every level a neuron can take, 0..254.
inline constexpr std::array<LevelWidth, 255> LevelWidths = level_width_detail::MakeLevelWidths();

// Exact quotient of a magnitude up to LevelWidthMaxMagnitude by the width of a level.
inline uint32_t DivideByLevelWidth(uint32_t magnitude, const LevelWidth& entry)
{
    return static_cast<uint32_t>((magnitude * entry.magnitudeMultiplier) >> entry.magnitudeShift);
}

// Exact remainder of a draw 0..32767 modulo the width of a level.
inline uint32_t DrawModuloLevelWidth(uint32_t draw, const LevelWidth& entry)
{
    uint32_t quotient = (draw * entry.drawMultiplier) >> entry.drawShift;
    return draw - quotient * entry.width;
}
