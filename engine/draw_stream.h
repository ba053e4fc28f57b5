#pragma once

#include <cstddef>
#include <cstdint>

// The state behind RandomDraw, exposed inside the engine so that the hot loops can take their
// draws inline, several at a time, from a local copy. The generator fills a block of draws
// ahead; each xoshiro256** output of 64 bits is cut into four 15-bit draws. A scripted source
// keeps the block empty, so every draw goes to the script, one call per draw, in order.
struct DrawStream {
    static constexpr uint32_t RefillDraws = 64;
    // Room for the draws left over when a group of up to MaxGroup did not fit.
    static constexpr uint32_t MaxGroup = 5;

    uint64_t state[4];
    uint32_t next;   // index of the next draw in block
    uint32_t count;  // draws held in block
    uint16_t block[RefillDraws + MaxGroup];
};

// Takes the next size draws (at most DrawStream::MaxGroup) when the block holds fewer: refills
// the block first, or asks the script once per draw.
void TakeDrawsSlowly(DrawStream& stream, int32_t* draws, uint32_t size);

// The process-wide stream that RandomDraw consumes.
DrawStream& SharedDrawStream();

// The next Size draws of a stream, each 0..32767, in order.
template <uint32_t Size>
inline void TakeDraws(DrawStream& stream, int32_t (&draws)[Size])
{
    static_assert(Size >= 1 && Size <= DrawStream::MaxGroup);
    if (stream.count - stream.next < Size) {
        TakeDrawsSlowly(stream, draws, Size);
        return;
    }
    for (uint32_t k = 0; k < Size; ++k) {
        draws[k] = stream.block[stream.next + k];
    }
    stream.next += Size;
}

// A copy of the shared stream for one hot loop, written back when the loop is done.
class LocalDrawStream {
public:
    LocalDrawStream() : stream(SharedDrawStream()) {}
    ~LocalDrawStream() { SharedDrawStream() = stream; }

    LocalDrawStream(const LocalDrawStream&) = delete;
    LocalDrawStream& operator=(const LocalDrawStream&) = delete;

    template <uint32_t Size>
    void Take(int32_t (&draws)[Size])
    {
        TakeDraws(stream, draws);
    }

    int32_t Next()
    {
        int32_t draw[1];
        TakeDraws(stream, draw);
        return draw[0];
    }

private:
    DrawStream stream;
};
