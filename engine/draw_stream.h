#pragma once

#include <cstddef>
#include <cstdint>

// The state behind RandomDraw, exposed inside the engine so that the hot loops can take their
// draws inline, several at a time. The generator fills a block of draws
// ahead; each xoshiro256** output of 64 bits is cut into four 15-bit draws. A scripted source
// keeps no draws ahead: every group is asked of the script, one call per draw, in order.
struct DrawStream {
    static constexpr uint32_t BlockDraws = 256;
    // Room for the draws left over when a group of up to MaxGroup did not fit.
    static constexpr uint32_t MaxGroup = 5;

    uint64_t state[4];
    uint32_t next;   // index of the next draw in block
    uint32_t count;  // draws held in block
    uint16_t block[BlockDraws + MaxGroup];
};

// Makes block[next, next + size) hold the next size draws (size at most DrawStream::MaxGroup):
// refills the block, keeping what is left of it, or asks the script once per draw.
void RefillDraws(DrawStream& stream, uint32_t size);

// The process-wide stream that RandomDraw consumes.
DrawStream& SharedDrawStream();

// The next Size draws of a stream, each 0..32767, in order; valid until the next take.
template <uint32_t Size>
inline const uint16_t* TakeDraws(DrawStream& stream)
{
    static_assert(Size >= 1 && Size <= DrawStream::MaxGroup);
    if (stream.count - stream.next < Size) {
        RefillDraws(stream, Size);
    }
    const uint16_t* draws = stream.block + stream.next;
    stream.next += Size;
    return draws;
}

// The shared stream for one hot loop, with its position held locally, so that the loop's
// stores to neurons need not reload it; written back when the loop is done.
class LocalDrawStream {
public:
    LocalDrawStream() : stream(SharedDrawStream()), next(stream.next), count(stream.count) {}
    ~LocalDrawStream() { stream.next = next; }

    LocalDrawStream(const LocalDrawStream&) = delete;
    LocalDrawStream& operator=(const LocalDrawStream&) = delete;

    // The next Size draws, valid until the next take.
    template <uint32_t Size>
    const uint16_t* Take()
    {
        static_assert(Size >= 1 && Size <= DrawStream::MaxGroup);
        if (count - next < Size) {
            stream.next = next;
            RefillDraws(stream, Size);
            next = stream.next;
            count = stream.count;
        }
        const uint16_t* draws = stream.block + next;
        next += Size;
        return draws;
    }

    int32_t Next() { return *Take<1>(); }

private:
    DrawStream& stream;
    uint32_t next;
    uint32_t count;
};
