#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/engine_path.h"

// xoshiro256** run in several lanes at once. The sequence stays the one generator's: lane j starts
// where the generator will be after j * LaneOutputs outputs (reached through a precomputed jump,
// the generator being linear over GF(2)), so that the lanes' outputs side by side are the
// generator's next Lanes * LaneOutputs outputs in order.

// Outputs each lane makes per batch.
inline constexpr size_t LaneOutputs = 4096;
// Most lanes a kernel runs.
inline constexpr size_t MaxLanes = 8;

// The state after lane * LaneOutputs outputs of the generator at state (0 < lane < MaxLanes).
void JumpLane(const uint64_t (&state)[4], size_t lane, uint64_t (&jumped)[4]);

// The generator's state for a seed, spread by SplitMix64.
void SeededState(uint64_t seed, uint64_t (&state)[4]);

// One xoshiro256** output and step.
inline uint64_t NextXoshiro(uint64_t (&s)[4])
{
    const uint64_t rotated = s[1] * 5;
    const uint64_t result = ((rotated << 7) | (rotated >> 57)) * 9;
    const uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = (s[3] << 45) | (s[3] >> 19);
    return result;
}

// Four 15-bit draws of an output: bits 4 + 15k .. 18 + 15k moved to the 16-bit slot k of the word
// (a shift by 4 - k), so that the word stored little-endian holds the draws in order.
inline constexpr uint64_t CutDraws(uint64_t bits)
{
    return ((bits >> 4) & 0x7FFFu) | ((bits >> 3) & (0x7FFFull << 16)) | ((bits >> 2) & (0x7FFFull << 32)) |
           ((bits >> 1) & (0x7FFFull << 48));
}

// Writes words * 4 draws of the generator at state (which moves on), in lanes through the
// kernels of path where it has any and words fill whole batches, one output at a time otherwise.
void GenerateDraws(uint64_t (&state)[4], uint16_t* out, size_t words, EnginePath path);
