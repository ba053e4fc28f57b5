#include "engine/kernel_tables.h"

#include <array>

#include "engine/level_lookup.h"
#include "engine/level_width.h"

namespace {

constexpr std::array<uint32_t, 256> MakeWidths()
{
    std::array<uint32_t, 256> table{};
    for (size_t level = 0; level < table.size(); ++level) {
        const LevelWidth& entry = LevelWidths[level < LevelWidths.size() ? level : LevelWidths.size() - 1];
        table[level] = entry.width | (entry.magnitudeShift << 16);
    }
    return table;
}

constexpr std::array<uint32_t, 256> MakeMultipliers()
{
    std::array<uint32_t, 256> table{};
    for (size_t level = 0; level < table.size(); ++level) {
        const LevelWidth& entry = LevelWidths[level < LevelWidths.size() ? level : LevelWidths.size() - 1];
        table[level] = static_cast<uint32_t>(entry.magnitudeMultiplier);
    }
    return table;
}

constexpr bool FitsTheKernels()
{
    for (const LevelWidth& entry : LevelWidths) {
        if (entry.width >= (1u << 16) || entry.magnitudeMultiplier >= (uint64_t{1} << 32) ||
            entry.magnitudeShift < 32 || entry.magnitudeShift > 63) {
            return false;
        }
    }
    return true;
}
static_assert(FitsTheKernels());

alignas(64) constexpr auto Widths = MakeWidths();
alignas(64) constexpr auto Multipliers = MakeMultipliers();

} // namespace

const uint32_t* const KernelBuckets = level_lookup_detail::Buckets.data();
const uint32_t* const KernelLevelWidths = Widths.data();
const uint32_t* const KernelLevelMultipliers = Multipliers.data();
