#include "engine/random_source.h"

#include <algorithm>
#include <chrono>

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
        GenerateDraws(state, block.data() + kept, words, FastestEnginePath());
    }
    next = 0;
    count = kept + added;
    made += added;
}
