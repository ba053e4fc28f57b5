#pragma once

#include <cstdint>

// The lookup tables of the vector kernels as plain arrays, defined once in a portable
// translation unit from the engine's constant tables.

// The level alone by buckets of 128 sums (level_lookup.h's LevelBuckets): a sum's level is
// (KernelLevelBuckets[sum >> KernelBucketShift] + sum) >> KernelLevelShift.
extern const uint32_t* const KernelLevelBuckets;
inline constexpr uint32_t KernelBucketShift = 7;
inline constexpr uint32_t KernelLevelShift = 24;

// The first activation threshold, from which a neuron's output slot is its level + 1.
extern const uint32_t KernelFirstThreshold;

// Per level 0..255 (255 repeats 254), one 64-bit entry: the level's width in bits 0..15, the
// shift of its reciprocal in bits 16..31 and the reciprocal multiplier in bits 32..63, so that
// (x * multiplier) >> shift is x div width for every x below 2^31. One entry, so that a single
// gather fetches all three.
extern const uint64_t* const KernelLevelEntries;

// Per level 0..255 (255 repeats 254), the level's width: 512 bytes, 64-byte aligned, so that
// eight 512-bit vectors hold them.
extern const uint16_t* const KernelLevelWidths;

// entries[j] = KernelLevelEntries[levels[j]] for j below count. One neuron at a time: the
// processors at hand fetch eight 64-bit entries by loads and stores in about half the time of a
// vector gather.
void FillLevelEntries(const uint8_t* levels, uint64_t* entries, int32_t count);
