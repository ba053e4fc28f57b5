#pragma once

#include <cstdint>
#include <memory>

// The errors of the last RingLength training passes and their running sum. Their average is the
// learning rate of the next pass and the figure the user watches fall.
class ErrorHistory {
public:
    static constexpr int32_t RingLength = 100000;
    // The error expected of a network that answers at random: for an output level and a target
    // level drawn independently and uniformly from 0..255, the mean of their squared difference is
    // (256^2 - 1) / 6 = 10922.5. A reset history stands at this statistical value, so training
    // starts at full rate and the average shows how far the network has come from guessing.
    static constexpr int32_t ResetValue = 10922;

    ErrorHistory();

    // Every entry becomes value, the position 0.
    void Fill(int32_t value);

    // Records one pass's error in place of the oldest entry.
    void Record(int32_t error);

    // The sum divided by RingLength, truncated towards zero.
    int32_t GetAverage() const { return static_cast<int32_t>(sum / RingLength); }

    int64_t GetSum() const { return sum; }
    int32_t GetPosition() const { return position; }
    int32_t GetEntry(int32_t index) const
    {
        return IsFillEntry(index) ? fillValue : entries[static_cast<size_t>(index)];
    }

private:
    // Entries from the position on still hold the fill value until the ring first wraps, so a
    // fill writes nothing: a load or a reset costs the same for every size of ring.
    bool IsFillEntry(int32_t index) const { return !wrapped && index >= position; }

    int64_t sum = 0;
    int32_t position = 0;
    int32_t fillValue = 0;
    bool wrapped = false;
    std::unique_ptr<int32_t[]> entries;
};
