#pragma once

#include <cstdint>

// The lookup tables of the vector kernels as plain arrays, defined once in a portable
// translation unit from the engine's constant tables.

// The eight-probe bisection's buckets of 128 sums (see level_lookup.h): entry
// (threshold inside the bucket, or none) << 9 | thresholds before the bucket.
extern const uint32_t* const KernelBuckets;

// Per level 0..255 (255 repeats 254): the level's width in the low 16 bits and the shift of its
// reciprocal above them; and the reciprocal multiplier: (x * multiplier) >> shift is x div width
// for every x below 2^31.
extern const uint32_t* const KernelLevelWidths;
extern const uint32_t* const KernelLevelMultipliers;
