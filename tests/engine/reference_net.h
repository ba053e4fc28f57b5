#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/activation_table.h"
#include "engine/random_source.h"

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

    // The rule of StochasticDivide on 64-bit values, with hardware division.
    static int64_t Divide(int64_t dividend, int64_t divisor, RandomSource& random)
    {
        const int64_t magnitude = dividend > 0 ? dividend : -dividend;
        int64_t quotient = magnitude / divisor;
        const int64_t remainder = magnitude % divisor;
        const int64_t reducedDraw = random.Draw() % divisor;
        if (remainder > reducedDraw) {
            ++quotient;
        }
        return dividend > 0 ? quotient : -quotient;
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

    int64_t Learn(int64_t rate, RandomSource& random)
    {
        const int64_t count = static_cast<int64_t>(units.size());
        const int64_t outputs = static_cast<int64_t>(targets.size());
        int64_t squaredErrors = 0;
        for (int64_t i = count - 1; i >= 0; --i) {
            Unit& unit = units[static_cast<size_t>(i)];
            const int64_t c = unit.level;
            if (i >= count - outputs) {
                const int64_t e = c - targets[static_cast<size_t>(count - 1 - i)];
                unit.error = e * 2500;
                squaredErrors += e * e;
            }
            unit.error = Saturate(unit.error * 2);
            const int64_t width = ActivationTable[static_cast<size_t>(std::min<int64_t>(c + 1, 255))] -
                                  int64_t{ActivationTable[static_cast<size_t>(std::max<int64_t>(c - 1, 0))]};
            const int64_t delta = Divide(unit.error, width, random);
            unit.error = delta;
            for (int64_t m = 0; m <= 3; ++m) {
                if (m >= 1 && !unit.firstLayer) {
                    Unit& source = units[static_cast<size_t>(unit.sources[m - 1])];
                    const int64_t contribution = unit.weights[m] * delta;
                    source.error = Saturate((i + m) % 2 == 0 ? source.error + contribution : source.error - contribution);
                }
                const int64_t x = m == 0 ? 128 : unit.inputs[m - 1];
                const int64_t step = Divide(delta * x * rate, 163837500, random);
                unit.weights[m] = static_cast<uint8_t>(std::clamp<int64_t>(unit.weights[m] - step, 0, 255));
            }
        }
        return Divide(squaredErrors, outputs, random);
    }

    std::vector<Unit> units;
    std::vector<uint8_t> inputLevels;
    std::vector<uint8_t> outputLevels;
    std::vector<uint8_t> targets;
    // Set once any accumulator has been held at the limit.
    bool reachedLimit = false;
};
