#include <bit>

#include "engine/learning_rules.h"
#include "engine/uniform_draw.h"

namespace {

// The one level whose width exceeds a draw's range.
constexpr uint8_t WideLevel = 254;
constexpr uint32_t WideLevelLimit = RejectionLimit(40268);
constexpr uint32_t StepLimit = RejectionLimit(StepDivisor);

constexpr bool OnlyTheWideLevelExceedsADraw()
{
    for (size_t level = 0; level < LevelWidths.size(); ++level) {
        if ((LevelWidths[level].width > RandomSource::Max + 1) != (level == WideLevel)) {
            return false;
        }
    }
    return LevelWidths[WideLevel].width == 40268;
}
static_assert(OnlyTheWideLevelExceedsADraw());

} // namespace

void ResolvePreciseChunk(const uint8_t* levels, int32_t size, RandomSource& random, ChunkUniforms& uniforms)
{
    const auto n = static_cast<size_t>(size);
    const uint16_t* drawn = random.Take(PreciseNeuronDraws * n);
    // First the fixed draws, unreduced, and the neurons that need extra draws, branch-free: about
    // a third of the neurons do, at random.
    uint64_t needsExtras[LearnChunk / 64] = {};
    for (size_t p = 0; p < n; ++p) {
        uint32_t needs = levels[p] == WideLevel ? 1u : 0u;
        uniforms.delta[p] = drawn[p];
        for (size_t m = 0; m < 4; ++m) {
            const uint32_t pair = PairValue(drawn[(1 + 2 * m) * n + p], drawn[(2 + 2 * m) * n + p]);
            uniforms.step[m][p] = pair;
            needs |= pair >= StepLimit ? 1u : 0u;
        }
        needsExtras[p / 64] |= uint64_t{needs} << (p % 64);
    }
    // Then the extra draws in teaching order, from the highest position down; the fixed draws are
    // copied, so these may refill the source's block.
    for (size_t word = (n + 63) / 64; word-- > 0;) {
        for (uint64_t bits = needsExtras[word]; bits != 0;) {
            const auto bit = static_cast<size_t>(63 - std::countl_zero(bits));
            bits &= ~(uint64_t{1} << bit);
            const size_t p = word * 64 + bit;
            if (levels[p] == WideLevel) {
                const uint32_t pair = PairValue(uniforms.delta[p], static_cast<uint32_t>(random.Draw()));
                uniforms.delta[p] = AcceptedPairValue(pair, WideLevelLimit, random);
            }
            for (size_t m = 0; m < 4; ++m) {
                uniforms.step[m][p] = AcceptedPairValue(uniforms.step[m][p], StepLimit, random);
            }
        }
    }
    for (size_t p = 0; p < n; ++p) {
        const LevelWidth& width = LevelWidths[levels[p]];
        uniforms.delta[p] = levels[p] == WideLevel ? uniforms.delta[p] % width.width
                                                   : DrawModuloLevelWidth(uniforms.delta[p], width);
        for (size_t m = 0; m < 4; ++m) {
            uniforms.step[m][p] %= StepDivisor;
        }
    }
}
