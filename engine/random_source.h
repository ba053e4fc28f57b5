#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The program's one random sequence (RandomDraw): uniformly distributed integers 0..32767,
// consumed in call order by the training pass's choice of pattern, Randomize and every stochastic
// division. It is a value: whoever owns it seeds it once and hands it to every operation that
// draws; copies continue the same sequence independently.
//
// The generator is xoshiro256** seeded through SplitMix64; each 64-bit output is cut into four
// 15-bit draws (bits 4..18, 19..33, 34..48, 49..63), which are handed out in that order. Draws are
// made ahead in blocks, so that the hot loops take them from memory.
//
// Tests replace the generator through the same seam: a source built on a fill function takes its
// values from it instead, asked once per block refill for as many values as the block needs. The
// choice is a plain function pointer, so that taking a draw never tests for a script.
class RandomSource {
public:
    // Largest value a draw takes.
    static constexpr int32_t Max = 32767;
    // Draws that may be read after, and before, those that Take and Peek hand out (the vector
    // kernels load whole vectors across either end); their values are of no use.
    static constexpr size_t TakeSlack = 32;
    static constexpr size_t TakeHeadroom = 96;

    // Writes count values 0..Max into draws; context is the pointer given with it.
    using FillFunction = void (*)(void* context, uint16_t* draws, size_t count);

    // A generator at a fixed point of its sequence.
    explicit RandomSource(uint64_t seed = 0);
    // A source that yields what fill writes, in order; context must outlive the source's use.
    RandomSource(FillFunction fill, void* context);
    virtual ~RandomSource();

    RandomSource(const RandomSource&) = default;
    RandomSource& operator=(const RandomSource&) = default;

    // Restarts the generator (also on a scripted source) at the point that seed names.
    void Seed(uint64_t seed);
    // Seeds from the clock; a program calls it once at start.
    void SeedFromClock();

    // The next draw, 0..Max.
    int32_t Draw()
    {
        if (next == count) {
            Refill(1);
        }
        return block[next++];
    }

    // The next count draws, in order, contiguous; valid until the next Draw or Take. TakeSlack
    // draws after them and TakeHeadroom before them may be read too.
    const uint16_t* Take(size_t size)
    {
        if (count - next < size) {
            Refill(size);
        }
        const uint16_t* draws = block.data() + next;
        next += size;
        return draws;
    }

    // The next count draws without taking them (valid until the next Draw, Take or Peek), and
    // taking the first count of them after a Peek.
    const uint16_t* Peek(size_t size)
    {
        if (count - next < size) {
            Refill(size);
        }
        return block.data() + next;
    }
    void Skip(size_t size) { next += size; }

    // How many draws have been taken since construction or the last Seed.
    uint64_t DrawsTaken() const { return made - (count - next); }

private:
    // Keeps the draws not yet taken and makes more, until at least size are held.
    void Refill(size_t size);

    uint64_t state[4] = {};
    FillFunction fill = nullptr;  // nullptr: the generator
    void* fillContext = nullptr;
    std::vector<uint16_t> block;
    size_t next = TakeHeadroom;   // index of the next draw in block
    size_t count = TakeHeadroom;  // end of the draws held in block
    uint64_t made = 0; // draws made since the last Seed
};
