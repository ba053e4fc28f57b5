#include "engine/random_source.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "engine/xoshiro_lanes.h"

namespace {

// Draws made per refill when no more are asked for: one batch of the widest generator lanes.
constexpr size_t BlockDraws = 4 * MaxLanes * LaneOutputs;

} // namespace

RandomSource::RandomSource(uint64_t seed)
{
    Seed(seed);
}

RandomSource::RandomSource(FillFunction fillFunction, void* context) : fill(fillFunction), fillContext(context) {}

RandomSource::~RandomSource() = default;

void RandomSource::Seed(uint64_t seed)
{
    SeededState(seed, state);
    fill = nullptr;
    fillContext = nullptr;
    next = TakeHeadroom;
    count = TakeHeadroom;
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
    // Whole generator outputs, at least one block's worth, so that the four draws of an output
    // are never split between refills.
    const size_t words = (std::max(size - std::min(size, kept), BlockDraws) + 3) / 4;
    const size_t added = words * 4;
    if (block.size() < TakeHeadroom + kept + added + TakeSlack) {
        block.resize(TakeHeadroom + kept + added + TakeSlack);
    }
    // The draws not yet taken move to the front, after the headroom.
    std::memmove(block.data() + TakeHeadroom, block.data() + next, kept * sizeof(uint16_t));
    uint16_t* fresh = block.data() + TakeHeadroom + kept;
    if (fill != nullptr) {
        fill(fillContext, fresh, added);
    } else {
        GenerateDraws(state, fresh, words, FastestEnginePath());
    }
    next = TakeHeadroom;
    count = TakeHeadroom + kept + added;
    made += added;
}
