#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "engine/activation_table.h"
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
        if (ActivationTable[mid] <= sum) {
            lo = mid;
        } else {
            hi = mid;
        }
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

    ReferenceNet(int64_t neuronCount, int64_t inputCount, int64_t outputCount)
        : units(static_cast<size_t>(neuronCount)), inputLevels(static_cast<size_t>(inputCount)),
          outputLevels(static_cast<size_t>(outputCount)), targets(static_cast<size_t>(outputCount))
    {
        const int64_t width = inputCount;
        for (int64_t j = 0; j < neuronCount; ++j) {
            Unit& unit = units[static_cast<size_t>(j)];
            unit.firstLayer = j < width;
            const int64_t band = j / width;
            const int64_t base = band >= 2 ? width * (band - 1) : 0;
            for (int64_t m = 1; m <= 3; ++m) {
                unit.sources[m - 1] = base + (j + m - 1) % width;
            }
        }
    }

    // Whether a remainder exceeds the value below divisor that its division compares it with.
    using Raise = std::function<bool(int64_t remainder, int64_t divisor)>;

    // The rule of StochasticDivide on 64-bit values with hardware division: the truncated
    // quotient, raised when raises says so.
    static int64_t Divide(int64_t dividend, int64_t divisor, const Raise& raises)
    {
        const int64_t magnitude = dividend > 0 ? dividend : -dividend;
        int64_t quotient = magnitude / divisor;
        if (raises(magnitude % divisor, divisor)) {
            ++quotient;
        }
        return dividend > 0 ? quotient : -quotient;
    }

    // Classic: the remainder against one draw reduced modulo the divisor.
    static Raise DrawRaise(int64_t draw)
    {
        return [draw](int64_t remainder, int64_t divisor) { return remainder > draw % divisor; };
    }

    // Precise: the remainder r against floor(U * divisor), U = 0.V1 V2 ... in base 2^30 with V1 =
    // first and the later digits pairs of draws (high first): after k digits A, U lies in
    // [A, A + 1) / 2^30k, which settles r > floor(U * d), that is U * d < r, unless r * 2^30k lies
    // strictly between A * d and (A + 1) * d.
    static Raise PairRaise(int64_t first, RandomSource& random)
    {
        return [first, &random](int64_t remainder, int64_t divisor) {
            __extension__ using Wide = __int128;
            Wide digits = first;
            Wide scale = Wide{1} << 30;
            for (int k = 1; k <= 3; ++k) {
                if ((digits + 1) * divisor <= remainder * scale) {
                    return true;
                }
                if (digits * divisor >= remainder * scale) {
                    return false;
                }
                const int64_t high = random.Draw();
                digits = (digits << 30) + high * 32768 + random.Draw();
                scale <<= 30;
            }
            ADD_FAILURE() << "four pairs left a comparison undecided";
            return false;
        };
    }

    static Raise RoundingRaise(int64_t divisor, RandomSource& random, Rounding rounding)
    {
        if (rounding == Rounding::Classic || divisor <= 32768) {
            return DrawRaise(random.Draw());
        }
        const int64_t high = random.Draw();
        return PairRaise(high * 32768 + random.Draw(), random);
    }

    int64_t Saturate(int64_t value)
    {
        const int64_t saturated = std::clamp<int64_t>(value, -INT32_MAX, INT32_MAX);
        reachedLimit = reachedLimit || saturated != value;
        return saturated;
    }

    void Randomize(RandomSource& random)
    {
        for (Unit& unit : units) {
            for (uint8_t& weight : unit.weights) {
                weight = static_cast<uint8_t>(random.Draw() % 256);
            }
        }
    }

    void Forward()
    {
        const int64_t count = static_cast<int64_t>(units.size());
        const int64_t outputs = static_cast<int64_t>(outputLevels.size());
        for (int64_t j = 0; j < count; ++j) {
            Unit& unit = units[static_cast<size_t>(j)];
            uint32_t sum = 128u * unit.weights[0];
            for (int64_t m = 1; m <= 3; ++m) {
                const size_t source = static_cast<size_t>(unit.sources[m - 1]);
                uint8_t v = unit.firstLayer ? inputLevels[source] : units[source].level;
                if ((j + m) % 2 == 1) {
                    v = static_cast<uint8_t>(255 - v);
                }
                unit.inputs[m - 1] = v;
                sum += uint32_t{unit.weights[m]} * v;
            }
            unit.sum = sum;
            const ReferenceBracket bracket = BisectSum(sum);
            unit.level = static_cast<uint8_t>(bracket.lo);
            if (j >= count - outputs) {
                outputLevels[static_cast<size_t>(count - 1 - j)] = static_cast<uint8_t>(bracket.hi);
            }
            unit.error = 0;
        }
    }

    int64_t Width(int64_t level) const
    {
        return ActivationTable[static_cast<size_t>(std::min<int64_t>(level + 1, 255))] -
               int64_t{ActivationTable[static_cast<size_t>(std::max<int64_t>(level - 1, 0))]};
    }

    // Teaches neuron i with the rules of its five divisions, which it applies in order.
    void Teach(int64_t i, int64_t rate, const Raise& deltaRaise, const std::array<Raise, 4>& stepRaises,
               int64_t& squaredErrors)
    {
        const int64_t count = static_cast<int64_t>(units.size());
        const int64_t outputs = static_cast<int64_t>(targets.size());
        Unit& unit = units[static_cast<size_t>(i)];
        const int64_t c = unit.level;
        if (i >= count - outputs) {
            const int64_t e = c - targets[static_cast<size_t>(count - 1 - i)];
            unit.error = e * 2500;
            squaredErrors += e * e;
        }
        unit.error = Saturate(unit.error * 2);
        const int64_t delta = Divide(unit.error, Width(c), deltaRaise);
        unit.error = delta;
        for (int64_t m = 0; m <= 3; ++m) {
            if (m >= 1 && !unit.firstLayer) {
                Unit& source = units[static_cast<size_t>(unit.sources[m - 1])];
                const int64_t contribution = unit.weights[m] * delta;
                source.error = Saturate((i + m) % 2 == 0 ? source.error + contribution : source.error - contribution);
            }
            const int64_t x = m == 0 ? 128 : unit.inputs[m - 1];
            if (recordedRemainders != nullptr && delta != 0) {
                recordedRemainders->push_back(std::abs(delta * x * rate) % 163837500);
            }
            const int64_t step = Divide(delta * x * rate, 163837500, stepRaises[static_cast<size_t>(m)]);
            unit.weights[m] = static_cast<uint8_t>(std::clamp<int64_t>(unit.weights[m] - step, 0, 255));
        }
    }

    // Classic: from the last neuron to the first, one draw for the delta and one per step.
    // Precise: band by band from the last, in chunks of up to 256 neurons from the top of the
    // band; a chunk of n takes 10n draws (slot 0 the delta draw, slot 1 the low half of the
    // delta's pair where the width exceeds 32768, slots 2 + 2m and 3 + 2m step m's pair, each slot
    // by position from the chunk's lowest neuron), then the further pairs of undecided
    // comparisons as they come, neuron by neuron from the top.
    int64_t Learn(int64_t rate, RandomSource& random, Rounding rounding = Rounding::Classic)
    {
        const int64_t count = static_cast<int64_t>(units.size());
        const int64_t outputs = static_cast<int64_t>(targets.size());
        const int64_t width = static_cast<int64_t>(inputLevels.size());
        int64_t squaredErrors = 0;
        if (rounding == Rounding::Classic) {
            for (int64_t i = count - 1; i >= 0; --i) {
                const Raise deltaRaise = DrawRaise(random.Draw());
                std::array<Raise, 4> stepRaises;
                for (Raise& raise : stepRaises) {
                    raise = DrawRaise(random.Draw());
                }
                Teach(i, rate, deltaRaise, stepRaises, squaredErrors);
            }
        } else {
            for (int64_t bandStart = (count - 1) / width * width; bandStart >= 0; bandStart -= width) {
                for (int64_t top = std::min(bandStart + width, count) - 1; top >= bandStart; top -= 256) {
                    const int64_t bottom = std::max(top - 255, bandStart);
                    const int64_t n = top - bottom + 1;
                    std::vector<int64_t> fixed(static_cast<size_t>(10 * n));
                    for (int64_t& draw : fixed) {
                        draw = random.Draw();
                    }
                    const auto at = [&](int64_t slot, int64_t i) { return fixed[static_cast<size_t>(slot * n + i - bottom)]; };
                    const auto pair = [&](int64_t slot, int64_t i) { return at(slot, i) * 32768 + at(slot + 1, i); };
                    for (int64_t i = top; i >= bottom; --i) {
                        const Raise deltaRaise = Width(units[static_cast<size_t>(i)].level) > 32768
                                                     ? PairRaise(pair(0, i), random)
                                                     : DrawRaise(at(0, i));
                        std::array<Raise, 4> stepRaises;
                        for (int64_t m = 0; m < 4; ++m) {
                            stepRaises[static_cast<size_t>(m)] = PairRaise(pair(2 + 2 * m, i), random);
                        }
                        Teach(i, rate, deltaRaise, stepRaises, squaredErrors);
                    }
                }
            }
        }
        return Divide(squaredErrors, outputs, RoundingRaise(outputs, random, rounding));
    }

    // When set, every step's product remainder of a non-zero delta is appended, in teaching order.
    std::vector<int64_t>* recordedRemainders = nullptr;

    std::vector<Unit> units;
    std::vector<uint8_t> inputLevels;
    std::vector<uint8_t> outputLevels;
    std::vector<uint8_t> targets;
    // Set once any accumulator has been held at the limit.
    bool reachedLimit = false;
};
