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

void RefillDraws(DrawStream& stream, uint32_t size)
{
    if (scripted) {
        for (uint32_t k = 0; k < size; ++k) {
            stream.block[k] = static_cast<uint16_t>(Script()());
        }
        stream.next = 0;
        stream.count = size;
        return;
    }
    uint32_t count = 0;
    for (uint32_t k = stream.next; k < stream.count; ++k) {
        stream.block[count++] = stream.block[k];
    }
    // The top 60 bits of each output, which xoshiro256** scrambles best, give four draws.
    uint16_t* out = stream.block + count;
    for (uint32_t word = 0; word < DrawStream::BlockDraws / 4; ++word, out += 4) {
        const uint64_t bits = NextXoshiro256StarStar(stream.state);
        out[0] = static_cast<uint16_t>((bits >> 4) & 0x7FFFu);
        out[1] = static_cast<uint16_t>((bits >> 19) & 0x7FFFu);
        out[2] = static_cast<uint16_t>((bits >> 34) & 0x7FFFu);
        out[3] = static_cast<uint16_t>(bits >> 49);
    }
    stream.next = 0;
    stream.count = count + DrawStream::BlockDraws;
}

int32_t RandomDraw()
{
    return *TakeDraws<1>(sharedStream);
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
