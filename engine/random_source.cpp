#include "engine/random_source.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>

namespace {

// Draws made per refill when no more are asked for: 64 generator outputs.
constexpr size_t BlockDraws = 256;

constexpr uint64_t SplitMix64(uint64_t& x)
{
    x += 0x9E3779B97F4A7C15u;
    uint64_t z = x;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

constexpr uint64_t RotateLeft(uint64_t x, int bits)
{
    return (x << bits) | (x >> (64 - bits));
}

// Writes words * 4 draws: the top 60 bits of each output, which xoshiro256** scrambles best, cut
// into four 15-bit draws in order. The generator's chain runs alone first; the cutting, which
// spreads the four fields to the four 16-bit slots of a little-endian word, then runs over the
// whole block, where the compiler can work on several words at once.
void Generate(uint64_t (&s)[4], uint16_t* out, size_t words)
{
    uint64_t s0 = s[0];
    uint64_t s1 = s[1];
    uint64_t s2 = s[2];
    uint64_t s3 = s[3];
    for (size_t word = 0; word < words; ++word) {
        const uint64_t bits = RotateLeft(s1 * 5, 7) * 9;
        const uint64_t t = s1 << 17;
        s2 ^= s0;
        s3 ^= s1;
        s1 ^= s2;
        s0 ^= s3;
        s2 ^= t;
        s3 = RotateLeft(s3, 45);
        std::memcpy(out + 4 * word, &bits, sizeof bits);
    }
    s[0] = s0;
    s[1] = s1;
    s[2] = s2;
    s[3] = s3;
    static_assert(std::endian::native == std::endian::little, "draws are cut for little-endian words");
    for (size_t word = 0; word < words; ++word) {
        uint64_t bits = 0;
        std::memcpy(&bits, out + 4 * word, sizeof bits);
        // Field k (bits 4 + 15k .. 18 + 15k) moves to bits 16k .. 16k + 14: a shift by 4 - k.
        bits = ((bits >> 4) & 0x7FFFu) | ((bits >> 3) & (0x7FFFull << 16)) | ((bits >> 2) & (0x7FFFull << 32)) |
               ((bits >> 1) & (0x7FFFull << 48));
        std::memcpy(out + 4 * word, &bits, sizeof bits);
    }
}

} // namespace

RandomSource::RandomSource(uint64_t seed)
{
    Seed(seed);
}

RandomSource::RandomSource(FillFunction fillFunction, void* context) : fill(fillFunction), fillContext(context) {}

RandomSource::~RandomSource() = default;

void RandomSource::Seed(uint64_t seed)
{
    for (uint64_t& word : state) {
        word = SplitMix64(seed);
    }
    fill = nullptr;
    fillContext = nullptr;
    next = 0;
    count = 0;
    made = 0;
}

void RandomSource::SeedFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    Seed(static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void RandomSource::Refill(size_t size)
{
    const size_t kept = count - next;
    std::copy(block.begin() + static_cast<std::ptrdiff_t>(next), block.begin() + static_cast<std::ptrdiff_t>(count),
              block.begin());
    // Whole generator outputs, at least one block's worth, so that the four draws of an output
    // are never split between refills.
    const size_t words = (std::max(size - std::min(size, kept), BlockDraws) + 3) / 4;
    const size_t added = words * 4;
    if (block.size() < kept + added + TakeSlack) {
        block.resize(kept + added + TakeSlack);
    }
    if (fill != nullptr) {
        fill(fillContext, block.data() + kept, added);
    } else {
        Generate(state, block.data() + kept, words);
    }
    next = 0;
    count = kept + added;
    made += added;
}
