#include "engine/kernel_tables.h"

#include <array>

#include "engine/level_lookup.h"
#include "engine/level_width.h"

namespace {

constexpr std::array<uint64_t, 256> MakeLevelEntries()
{
    std::array<uint64_t, 256> table{};
    for (size_t level = 0; level < table.size(); ++level) {
        const LevelWidth& entry = LevelWidths[level < LevelWidths.size() ? level : LevelWidths.size() - 1];
        table[level] = entry.width | (uint64_t{entry.magnitudeShift} << 16) | (entry.magnitudeMultiplier << 32);
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

alignas(64) constexpr auto LevelEntries = MakeLevelEntries();

constexpr std::array<uint16_t, 256> MakeWidthsByLevel()
{
    std::array<uint16_t, 256> widths{};
    for (size_t level = 0; level < widths.size(); ++level) {
        widths[level] = static_cast<uint16_t>(LevelEntries[level] & 0xFFFFu);
    }
    return widths;
}

alignas(64) constexpr auto WidthsByLevel = MakeWidthsByLevel();


} // namespace

static_assert(KernelBucketShift == level_lookup_detail::BucketShift && KernelLevelShift == level_lookup_detail::LevelShift);
const uint32_t* const KernelLevelBuckets = level_lookup_detail::LevelBuckets.data();
const uint32_t KernelFirstThreshold = ActivationTable[0];
const uint64_t* const KernelLevelEntries = LevelEntries.data();
const uint16_t* const KernelLevelWidths = WidthsByLevel.data();

void FillLevelEntries(const uint8_t* levels, uint64_t* entries, int32_t count)
{
    for (int32_t j = 0; j < count; ++j) {
        entries[j] = LevelEntries[levels[j]];
    }
}
