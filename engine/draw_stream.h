#pragma once

#include <cstdint>

// The state behind RandomDraw, exposed inside the engine so that the hot loops can draw inline
// from a local copy. A xoshiro256** output of 64 bits is cut into four 15-bit draws; a scripted
// source keeps the buffer empty, so that the scripted case costs nothing on the buffered path.
struct DrawStream {
    uint64_t state[4];
    uint64_t buffered;
    uint32_t bufferedCount;
};

// Refills the buffer from the generator, or asks the script, and returns the next draw.
int32_t RefillDrawStream(DrawStream& stream);

// The process-wide stream that RandomDraw consumes.
DrawStream& SharedDrawStream();

// Next value 0..32767 of a stream.
inline int32_t NextDraw(DrawStream& stream)
{
    if (stream.bufferedCount == 0) {
        return RefillDrawStream(stream);
    }
    --stream.bufferedCount;
    auto draw = static_cast<int32_t>(stream.buffered & 0x7FFFu);
    stream.buffered >>= 15;
    return draw;
}

// A copy of the shared stream for one hot loop, written back when the loop is done.
class LocalDrawStream {
public:
    LocalDrawStream() : stream(SharedDrawStream()) {}
    ~LocalDrawStream() { SharedDrawStream() = stream; }

    LocalDrawStream(const LocalDrawStream&) = delete;
    LocalDrawStream& operator=(const LocalDrawStream&) = delete;

    int32_t Next() { return NextDraw(stream); }

private:
    DrawStream stream;
};
