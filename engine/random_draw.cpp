#include "engine/random_draw.h"

#include <chrono>
#include <utility>

#include "engine/draw_stream.h"

namespace {

constexpr uint64_t SplitMix64(uint64_t& x)
{
    x += 0x9E3779B97F4A7C15u;
    uint64_t z = x;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

constexpr DrawStream SeededStream(uint64_t seed)
{
    DrawStream stream{};
    for (uint64_t& word : stream.state) {
        word = SplitMix64(seed);
    }
    return stream;
}

constexpr uint64_t RotateLeft(uint64_t x, int bits)
{
    return (x << bits) | (x >> (64 - bits));
}

uint64_t NextXoshiro256StarStar(uint64_t (&s)[4])
{
    const uint64_t result = RotateLeft(s[1] * 5, 7) * 9;
    const uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = RotateLeft(s[3], 45);
    return result;
}

// Constant-initialised, so that a draw made during static initialisation is well defined.
constinit DrawStream sharedStream = SeededStream(0);
constinit bool scripted = false;

std::function<int32_t()>& Script()
{
    static std::function<int32_t()> script;
    return script;
}

} // namespace

DrawStream& SharedDrawStream()
{
    return sharedStream;
}

void TakeDrawsSlowly(DrawStream& stream, int32_t* draws, uint32_t size)
{
    if (scripted) {
        for (uint32_t k = 0; k < size; ++k) {
            draws[k] = Script()();
        }
        return;
    }
    uint32_t count = 0;
    for (uint32_t k = stream.next; k < stream.count; ++k) {
        stream.block[count++] = stream.block[k];
    }
    // The top 60 bits of each output, which xoshiro256** scrambles best, give four draws.
    for (uint32_t word = 0; word < DrawStream::RefillDraws / 4; ++word) {
        uint64_t bits = NextXoshiro256StarStar(stream.state) >> 4;
        for (int part = 0; part < 4; ++part) {
            stream.block[count++] = static_cast<uint16_t>(bits & 0x7FFFu);
            bits >>= 15;
        }
    }
    for (uint32_t k = 0; k < size; ++k) {
        draws[k] = stream.block[k];
    }
    stream.next = size;
    stream.count = count;
}

int32_t RandomDraw()
{
    int32_t draw[1];
    TakeDraws(sharedStream, draw);
    return draw[0];
}

void SeedRandomDraw(uint64_t seed)
{
    sharedStream = SeededStream(seed);
}

void SeedRandomDrawFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    SeedRandomDraw(static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void SetRandomDrawScript(std::function<int32_t()> script)
{
    scripted = static_cast<bool>(script);
    Script() = std::move(script);
    sharedStream.next = 0;
    sharedStream.count = 0;
}
