#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/activation_table.h"

// The result of the eight-probe bisection of a weighted sum in the ActivationTable, found with
// one table load instead of eight dependent ones. lo is the neuron's level, hi the output slot.
//
// The bisection yields hi = n and lo = max(n - 1, 0), where n is the number of thresholds
// <= sum, capped at 255. The sums are cut into buckets of 128; no two thresholds are closer
// than 164, so a bucket holds at most one threshold and n is the count before the bucket plus
// one when the sum reaches the bucket's threshold.

// Largest weighted sum of a neuron: 128 * 255 + 3 * 255 * 255.
inline constexpr uint32_t MaxNeuronSum = 128u * 255u + 3u * 255u * 255u;

namespace level_lookup_detail {

inline constexpr uint32_t BucketShift = 7;
inline constexpr uint32_t CountBits = 9;
inline constexpr uint32_t CountMask = (1u << CountBits) - 1u;
inline constexpr uint32_t NoThreshold = (1u << 22) - 1u;
inline constexpr size_t BucketCount = (MaxNeuronSum >> BucketShift) + 1;

constexpr bool GapsExceedBucket()
{
    for (size_t index = 1; index < ActivationTable.size(); ++index) {
        if (ActivationTable[index] - ActivationTable[index - 1] <= (1u << BucketShift)) {
            return false;
        }
    }
    return true;
}
static_assert(GapsExceedBucket());
static_assert(NoThreshold > MaxNeuronSum);

// Each entry: (threshold inside the bucket, or NoThreshold) << CountBits | thresholds before it.
constexpr std::array<uint32_t, BucketCount> MakeBuckets()
{
    std::array<uint32_t, BucketCount> buckets{};
    size_t next = 0;
    for (size_t bucket = 0; bucket < BucketCount; ++bucket) {
        const auto start = static_cast<uint32_t>(bucket << BucketShift);
        const uint32_t end = start + (1u << BucketShift);
        while (next < ActivationTable.size() && ActivationTable[next] < start) {
            ++next;
        }
        uint32_t threshold = NoThreshold;
        if (next < ActivationTable.size() && ActivationTable[next] < end) {
            threshold = ActivationTable[next];
        }
        buckets[bucket] = (threshold << CountBits) | static_cast<uint32_t>(next);
    }
    return buckets;
}

inline constexpr std::array<uint32_t, BucketCount> Buckets = MakeBuckets();

// The level alone changes at thresholds 1..254 only (below the second it is 0, from the last on it
// stays 254), so a bucket gives it with one addition: each entry is the level at the bucket's
// start << LevelShift, plus 2^LevelShift - the threshold inside the bucket at which the level
// rises (nothing when it does not). Adding a sum carries into the level exactly when the sum
// reaches that threshold, as every sum is below 2^LevelShift.
inline constexpr uint32_t LevelShift = 24;
static_assert(MaxNeuronSum < (1u << LevelShift));

constexpr std::array<uint32_t, BucketCount> MakeLevelBuckets()
{
    std::array<uint32_t, BucketCount> levels{};
    for (size_t bucket = 0; bucket < BucketCount; ++bucket) {
        const uint32_t before = Buckets[bucket] & CountMask;
        const uint32_t threshold = Buckets[bucket] >> CountBits;
        const uint32_t capped = before < 255u ? before : 255u;
        const uint32_t start = capped > 0u ? capped - 1u : 0u;
        const bool rises = threshold != NoThreshold && before >= 1u && before <= 254u;
        levels[bucket] = start << LevelShift | (rises ? (1u << LevelShift) - threshold : 0u);
    }
    return levels;
}

inline constexpr std::array<uint32_t, BucketCount> LevelBuckets = MakeLevelBuckets();

} // namespace level_lookup_detail

struct LevelBracket {
    uint32_t lo;
    uint32_t hi;
};

// The bisection's bracket for a sum of at most MaxNeuronSum. Branch-free: the sums of a large
// network are too varied for the branch predictor.
inline LevelBracket BracketOfSum(uint32_t sum)
{
    using namespace level_lookup_detail;
    const uint32_t entry = Buckets[sum >> BucketShift];
    // sum - threshold wraps to a value with the top bit set exactly when sum is below it.
    const uint32_t below = (sum - (entry >> CountBits)) >> 31;
    const uint32_t reached = (entry & CountMask) + 1u - below;
    const uint32_t hi = std::min(reached, 255u);
    return {std::max(hi, 1u) - 1u, hi};
}

// BracketOfSum(sum).lo with one table load and one addition; the output slot is then the level
// + 1 from the first threshold on, else 0.
inline uint32_t LevelOfSum(uint32_t sum)
{
    using namespace level_lookup_detail;
    return (LevelBuckets[sum >> BucketShift] + sum) >> LevelShift;
}
