#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "engine/activation_table.h"
#include "engine/discrete_net.h"
#include "engine/random_source.h"
#include "engine/rounding.h"

struct ReferenceBracket {
    uint32_t lo;
    uint32_t hi;
};

// The bisection as the forward pass defines it: eight probes from the bracket 0..255.
inline ReferenceBracket BisectSum(uint32_t sum)
{
    uint32_t lo = 0;
    uint32_t hi = 255;
    for (int probe = 0; probe < 8; ++probe) {
        const uint32_t mid = (lo + hi) / 2;
        (ActivationTable[mid] <= sum ? lo : hi) = mid;
    }
    return {lo, hi};
}

// The network's algorithms written out step by step, with plain division and the same
// saturation of the accumulators, as the measure the optimised engine must match bit for bit.
class ReferenceNet {
public:
    struct Unit {
        bool firstLayer = false;
        int64_t sources[3] = {};
        uint8_t inputs[3] = {};
        uint8_t weights[4] = {};
        uint32_t sum = 0;
        uint8_t level = 0;
        int64_t error = 0;
    };

    // What the last Learn saw of a neuron: the remainders of its delta and steps, and whether its
    // delta rose.
    struct Seen {
        int64_t deltaRemainder = 0;
        bool deltaRose = false;
        int64_t stepRemainders[4] = {};
    };

    ReferenceNet(int64_t neuronCount, int64_t width, int64_t outputCount)
        : units(static_cast<size_t>(neuronCount)), inputLevels(static_cast<size_t>(width)),
          outputLevels(static_cast<size_t>(outputCount)), targets(static_cast<size_t>(outputCount)),
          seen(static_cast<size_t>(neuronCount))
    {
        for (int64_t j = 0; j < neuronCount; ++j) {
            Unit& unit = units[static_cast<size_t>(j)];
            unit.firstLayer = j < width;
            for (int64_t m = 1; m <= 3; ++m)
                unit.sources[m - 1] = (j / width >= 2 ? width * (j / width - 1) : 0) + (j + m - 1) % width;
        }
    }

    void CopyWeights(const DiscreteNet& net)
    {
        for (size_t k = 0; k < 4 * units.size(); ++k)
            units[k / 4].weights[k % 4] = net.GetWeight(static_cast<int32_t>(k / 4), static_cast<int32_t>(k % 4));
    }

    // Whether a remainder exceeds the value below divisor that its division compares it with.
    using Raise = std::function<bool(int64_t remainder, int64_t divisor)>;

    // The truncated quotient, raised (away from zero) when raises says so.
    static int64_t Divide(int64_t dividend, int64_t divisor, const Raise& raises)
    {
        const int64_t magnitude = dividend > 0 ? dividend : -dividend;
        const int64_t quotient = magnitude / divisor + (raises(magnitude % divisor, divisor) ? 1 : 0);
        return dividend > 0 ? quotient : -quotient;
    }

    // Classic, and precise below 32769: the remainder against one draw reduced modulo the divisor.
    // Precise above: against floor(U * divisor), U = 0.V1 V2 ... in base 2^30, each digit a pair of
    // draws (high first): after k digits A, U lies in [A, A + 1) / 2^30k, which settles
    // r > floor(U * d), that is U * d < r, unless r * 2^30k lies strictly between A * d and
    // (A + 1) * d. first is the first draw (or pair) when already taken.
    static Raise RaiseBy(int64_t divisor, RandomSource& random, Rounding rounding, int64_t first = -1)
    {
        if (rounding == Rounding::Classic || divisor <= 32768) {
            const int64_t draw = first >= 0 ? first : random.Draw();
            return [draw](int64_t remainder, int64_t d) { return remainder > draw % d; };
        }
        const int64_t high = first >= 0 ? 0 : random.Draw();
        const int64_t pair = first >= 0 ? first : high * 32768 + random.Draw();
        return [pair, &random](int64_t remainder, int64_t d) {
            __extension__ using Wide = __int128;
            Wide digits = pair;
            Wide scale = Wide{1} << 30;
            while ((digits + 1) * d > remainder * scale && digits * d < remainder * scale) {
                if (scale >= Wide{1} << 90) {
                    ADD_FAILURE() << "three pairs left a comparison undecided";
                    return false;
                }
                const int64_t next = random.Draw();
                digits = (digits << 30) + next * 32768 + random.Draw();
                scale <<= 30;
            }
            return (digits + 1) * d <= remainder * scale;
        };
    }

    int64_t Saturate(int64_t value)
    {
        reachedLimit = reachedLimit || value < -INT32_MAX || value > INT32_MAX;
        return std::clamp<int64_t>(value, -INT32_MAX, INT32_MAX);
    }

    void Forward()
    {
        const size_t count = units.size();
        for (size_t j = 0; j < count; ++j) {
            Unit& unit = units[j];
            unit.sum = 128u * unit.weights[0];
            for (size_t m = 1; m <= 3; ++m) {
                const auto source = static_cast<size_t>(unit.sources[m - 1]);
                const uint8_t v = unit.firstLayer ? inputLevels[source] : units[source].level;
                unit.inputs[m - 1] = (j + m) % 2 == 1 ? static_cast<uint8_t>(255 - v) : v;
                unit.sum += uint32_t{unit.weights[m]} * unit.inputs[m - 1];
            }
            unit.level = static_cast<uint8_t>(BisectSum(unit.sum).lo);
            if (j >= count - outputLevels.size())
                outputLevels[count - 1 - j] = static_cast<uint8_t>(BisectSum(unit.sum).hi);
            unit.error = 0;
        }
    }

    int64_t Width(int64_t level) const
    {
        return ActivationTable[static_cast<size_t>(std::min<int64_t>(level + 1, 255))] -
               int64_t{ActivationTable[static_cast<size_t>(std::max<int64_t>(level - 1, 0))]};
    }

    // Teaches neuron i with the rules of its five divisions, which it applies in order.
    void Teach(size_t i, int64_t rate, const Raise& deltaRaise, const std::array<Raise, 4>& stepRaises, int64_t& squares)
    {
        Unit& unit = units[i];
        const int64_t width = Width(unit.level);
        if (i >= units.size() - targets.size()) {
            const int64_t e = unit.level - targets[units.size() - 1 - i];
            unit.error = e * 2500;
            squares += e * e;
        }
        unit.error = Saturate(unit.error * 2);
        const int64_t delta = Divide(unit.error, width, deltaRaise);
        seen[i].deltaRemainder = std::abs(unit.error) % width;
        seen[i].deltaRose = std::abs(delta) > std::abs(unit.error) / width;
        unit.error = delta;
        for (size_t m = 0; m <= 3; ++m) {
            if (m >= 1 && !unit.firstLayer) {
                Unit& source = units[static_cast<size_t>(unit.sources[m - 1])];
                const int64_t contribution = unit.weights[m] * delta;
                source.error = Saturate((i + m) % 2 == 0 ? source.error + contribution : source.error - contribution);
            }
            const int64_t product = delta * (m == 0 ? 128 : unit.inputs[m - 1]) * rate;
            seen[i].stepRemainders[m] = std::abs(product) % 163837500;
            const int64_t step = Divide(product, 163837500, stepRaises[m]);
            unit.weights[m] = static_cast<uint8_t>(std::clamp<int64_t>(unit.weights[m] - step, 0, 255));
        }
    }

    // Calls chunk(top, bottom) for the chunks of a Learn in teaching order: band by band from the
    // last, each band in pieces of up to 256 neurons from its top.
    void ForEachChunk(const std::function<void(int64_t top, int64_t bottom)>& chunk) const
    {
        const auto count = static_cast<int64_t>(units.size());
        const auto width = static_cast<int64_t>(inputLevels.size());
        for (int64_t bandStart = (count - 1) / width * width; bandStart >= 0; bandStart -= width) {
            for (int64_t top = std::min(bandStart + width, count) - 1; top >= bandStart; top -= 256)
                chunk(top, std::max(top - 255, bandStart));
        }
    }

    // Classic: from the last neuron to the first, one draw for the delta and one per step.
    // Precise: chunk by chunk, a chunk of n neurons takes 10n draws (slot 0 the delta draw, slot 1
    // the low half of the delta's pair where the width exceeds 32768, slots 2 + 2m and 3 + 2m step
    // m's pair, each slot by position from the chunk's lowest neuron), then the further pairs of
    // undecided comparisons as they come, neuron by neuron from the top.
    int64_t Learn(int64_t rate, RandomSource& random, Rounding rounding = Rounding::Classic)
    {
        int64_t squares = 0;
        ForEachChunk([&](int64_t top, int64_t bottom) {
            const auto n = static_cast<size_t>(top - bottom + 1);
            std::vector<int64_t> fixed(rounding == Rounding::Classic ? 0 : 10 * n);
            for (int64_t& draw : fixed)
                draw = random.Draw();
            for (auto i = static_cast<size_t>(top); i + 1 > static_cast<size_t>(bottom); --i) {
                const size_t p = i - static_cast<size_t>(bottom);
                const auto pair = [&](size_t slot) { return fixed[slot * n + p] * 32768 + fixed[(slot + 1) * n + p]; };
                const int64_t width = Width(units[i].level);
                const bool classic = rounding == Rounding::Classic;
                const Raise deltaRaise = RaiseBy(width, random, rounding, classic ? -1 : width > 32768 ? pair(0) : fixed[p]);
                std::array<Raise, 4> stepRaises;
                for (size_t m = 0; m < 4; ++m)
                    stepRaises[m] = RaiseBy(163837500, random, rounding, classic ? -1 : pair(2 + 2 * m));
                Teach(i, rate, deltaRaise, stepRaises, squares);
            }
        });
        const auto outputs = static_cast<int64_t>(targets.size());
        return Divide(squares, outputs, RaiseBy(outputs, random, rounding));
    }

    std::vector<Unit> units;
    std::vector<uint8_t> inputLevels;
    std::vector<uint8_t> outputLevels;
    std::vector<uint8_t> targets;
    std::vector<Seen> seen;
    bool reachedLimit = false;  // set once any accumulator has been held at the limit
};
