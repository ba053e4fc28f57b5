#include "engine/xoshiro_lanes.h"

#include <array>
#include <cstring>

#include "engine/vector_kernels.h"

namespace {

// A linear map of the 256-bit state, by the images of its 256 unit vectors.
struct StateMap {
    std::array<std::array<uint64_t, 4>, 256> columns;

    void Apply(const uint64_t (&in)[4], uint64_t (&out)[4]) const
    {
        uint64_t result[4] = {};
        for (size_t word = 0; word < 4; ++word) {
            for (uint64_t bits = in[word]; bits != 0; bits &= bits - 1) {
                const auto& column = columns[word * 64 + static_cast<size_t>(__builtin_ctzll(bits))];
                for (size_t k = 0; k < 4; ++k) {
                    result[k] ^= column[k];
                }
            }
        }
        for (size_t k = 0; k < 4; ++k) {
            out[k] = result[k];
        }
    }

    // This map after other.
    StateMap After(const StateMap& other) const
    {
        StateMap product{};
        for (size_t c = 0; c < 256; ++c) {
            uint64_t in[4] = {other.columns[c][0], other.columns[c][1], other.columns[c][2], other.columns[c][3]};
            uint64_t out[4];
            Apply(in, out);
            product.columns[c] = {out[0], out[1], out[2], out[3]};
        }
        return product;
    }
};

struct LaneJumps {
    StateMap jumps[MaxLanes];  // jumps[j]: j * LaneOutputs steps

    LaneJumps()
    {
        StateMap step{};
        for (size_t c = 0; c < 256; ++c) {
            uint64_t s[4] = {};
            s[c / 64] = uint64_t{1} << (c % 64);
            NextXoshiro(s);
            step.columns[c] = {s[0], s[1], s[2], s[3]};
        }
        StateMap power = step;
        for (size_t done = 1; done < LaneOutputs; done *= 2) {
            power = power.After(power);
        }
        static_assert((LaneOutputs & (LaneOutputs - 1)) == 0, "squaring reaches powers of two");
        jumps[1] = power;
        for (size_t lane = 2; lane < MaxLanes; ++lane) {
            jumps[lane] = power.After(jumps[lane - 1]);
        }
    }
};

} // namespace

void JumpLane(const uint64_t (&state)[4], size_t lane, uint64_t (&jumped)[4])
{
    static const LaneJumps table;
    table.jumps[lane].Apply(state, jumped);
}

void GenerateDraws(uint64_t (&state)[4], uint16_t* out, size_t words, EnginePath path)
{
    if (path != EnginePath::Scalar && IsEnginePathSupported(path)) {
        const VectorKernels& kernels = KernelsOf(path);
        const auto lanes = static_cast<size_t>(kernels.generatorLanes);
        for (; words >= lanes * LaneOutputs; words -= lanes * LaneOutputs, out += 4 * lanes * LaneOutputs) {
            uint64_t states[MaxLanes][4];
            std::memcpy(states[0], state, sizeof state);
            for (size_t lane = 1; lane < lanes; ++lane) {
                JumpLane(state, lane, states[lane]);
            }
            kernels.generateLanes(states, out);
            std::memcpy(state, states[lanes - 1], sizeof state);
        }
    }
    for (size_t word = 0; word < words; ++word, out += 4) {
        const uint64_t draws = CutDraws(NextXoshiro(state));
        std::memcpy(out, &draws, sizeof draws);
    }
}

void SeededState(uint64_t seed, uint64_t (&state)[4])
{
    for (uint64_t& word : state) {
        seed += 0x9E3779B97F4A7C15u;
        uint64_t z = seed;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        word = z ^ (z >> 31);
    }
}
