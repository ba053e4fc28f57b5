#include <algorithm>
#include <bit>

#include "engine/learning_rules.h"
#include "engine/uniform_draw.h"

namespace {

constexpr uint32_t WideLevelLimit = RejectionLimit(40268);
static_assert(StepLimit == RejectionLimit(StepDivisor));

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

void ResolvePreciseFixed(const uint16_t* drawn, int32_t size, const uint8_t* levels, uint32_t* delta,
                         uint32_t* const* step, uint64_t* needsExtras)
{
    const auto n = static_cast<size_t>(size);
    for (size_t word = 0; word < (n + 63) / 64; ++word) {
        needsExtras[word] = 0;
    }
    // Branch-free: whether a pair is rejected is as random as the draws.
    for (size_t p = 0; p < n; ++p) {
        uint32_t needs = levels[p] == WideLevel ? 1u : 0u;
        delta[p] = drawn[p];
        for (size_t m = 0; m < 4; ++m) {
            const uint32_t pair = PairValue(drawn[(1 + 2 * m) * n + p], drawn[(2 + 2 * m) * n + p]);
            const uint32_t spare = PairValue(drawn[(9 + 2 * m) * n + p], drawn[(10 + 2 * m) * n + p]);
            const uint32_t value = pair < StepLimit ? pair : spare;
            const bool rejected = value >= StepLimit;
            step[m][p] = rejected ? value : value % StepDivisor;
            needs |= rejected ? 1u : 0u;
        }
        needsExtras[p / 64] |= uint64_t{needs} << (p % 64);
    }
}

namespace {

// The extra draws of a chunk, taken from a window of the source's next draws.
class ExtraDraws {
public:
    ExtraDraws(RandomSource& source, size_t expected) : random(source), window(expected) { Open(); }
    ~ExtraDraws() { random.Skip(used); }

    ExtraDraws(const ExtraDraws&) = delete;
    ExtraDraws& operator=(const ExtraDraws&) = delete;

    uint32_t Next()
    {
        Reserve(1);
        return draws[used++];
    }

    // Makes the next count draws readable by At.
    void Reserve(size_t count)
    {
        if (used + count > window) {
            random.Skip(used);
            window = std::max(window, count);
            Open();
        }
    }

    // The pair at offset (2 * index) from the next draw, without taking it.
    uint32_t PairAt(size_t index) const { return PairValue(draws[used + 2 * index], draws[used + 2 * index + 1]); }
    void Take(size_t count) { used += count; }

    // The first pair value below limit, starting with value.
    uint32_t Accepted(uint32_t value, uint32_t limit)
    {
        while (value >= limit) {
            const uint32_t first = Next();
            value = PairValue(first, Next());
        }
        return value;
    }

private:
    void Open()
    {
        draws = random.Peek(window);
        used = 0;
    }

    RandomSource& random;
    size_t window;
    const uint16_t* draws = nullptr;
    size_t used = 0;
};

} // namespace

void ResolvePreciseExtras(const uint8_t* levels, int32_t size, const uint64_t* needsExtras, RandomSource& random,
                          ChunkUniforms& uniforms)
{
    const auto n = static_cast<size_t>(size);
    size_t marked = 0;
    for (size_t word = 0; word < (n + 63) / 64; ++word) {
        if (needsExtras[word] != 0) {
            marked += static_cast<size_t>(std::popcount(needsExtras[word]));
        }
    }
    if (marked == 0) {
        return;
    }
    // Room for a pair or two per marked neuron, seldom outgrown.
    ExtraDraws extras(random, 4 * marked + 16);
    // In teaching order, from the highest position down.
    for (size_t word = (n + 63) / 64; word-- > 0;) {
        for (uint64_t bits = needsExtras[word]; bits != 0;) {
            const auto bit = static_cast<size_t>(63 - std::countl_zero(bits));
            bits &= ~(uint64_t{1} << bit);
            const size_t p = word * 64 + bit;
            if (levels[p] == WideLevel) {
                const uint32_t pair = PairValue(uniforms.delta[p], extras.Next());
                uniforms.delta[p] = extras.Accepted(pair, WideLevelLimit) % LevelWidths[WideLevel].width;
            }
            for (size_t m = 0; m < 4; ++m) {
                const uint32_t value = uniforms.step[m][p];
                if (value >= StepLimit) {
                    uniforms.step[m][p] = extras.Accepted(value, StepLimit) % StepDivisor;
                }
            }
        }
    }
}

void ResolvePreciseChunk(const uint8_t* levels, int32_t size, RandomSource& random, ChunkUniforms& uniforms)
{
    uint32_t* const steps[4] = {uniforms.step[0], uniforms.step[1], uniforms.step[2], uniforms.step[3]};
    uint64_t needsExtras[LearnChunk / 64];
    ResolvePreciseFixed(random.Take(PreciseNeuronDraws * static_cast<size_t>(size)), size, levels, uniforms.delta,
                        steps, needsExtras);
    ResolvePreciseExtras(levels, size, needsExtras, random, uniforms);
}
