#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

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

    // The rule of StochasticDivide on 64-bit values with hardware division: the quotient raised
    // when the remainder exceeds uniform (0..divisor - 1).
    static int64_t Divide(int64_t dividend, int64_t divisor, int64_t uniform)
    {
        const int64_t magnitude = dividend > 0 ? dividend : -dividend;
        int64_t quotient = magnitude / divisor;
        if (magnitude % divisor > uniform) {
            ++quotient;
        }
        return dividend > 0 ? quotient : -quotient;
    }

    // A value below divisor: one draw reduced modulo it, or in precise rounding for a divisor
    // above 32768 the first 30-bit pair (high draw first) below the largest multiple of the
    // divisor in 30 bits, reduced modulo it. first is the high draw when it was already taken.
    static int64_t Uniform(int64_t divisor, RandomSource& random, Rounding rounding, int64_t first = -1)
    {
        if (rounding == Rounding::Classic || divisor <= 32768) {
            return (first >= 0 ? first : random.Draw()) % divisor;
        }
        const int64_t limit = (int64_t{1} << 30) / divisor * divisor;
        int64_t value = (first >= 0 ? first : random.Draw()) * 32768 + random.Draw();
        while (value >= limit) {
            const int64_t high = random.Draw();
            value = high * 32768 + random.Draw();
        }
        return value % divisor;
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

    // Teaches neuron i with the values its five divisions compare their remainders with.
    void Teach(int64_t i, int64_t rate, int64_t deltaUniform, const int64_t (&stepUniforms)[4], int64_t& squaredErrors)
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
        const int64_t delta = Divide(unit.error, Width(c), deltaUniform);
        unit.error = delta;
        for (int64_t m = 0; m <= 3; ++m) {
            if (m >= 1 && !unit.firstLayer) {
                Unit& source = units[static_cast<size_t>(unit.sources[m - 1])];
                const int64_t contribution = unit.weights[m] * delta;
                source.error = Saturate((i + m) % 2 == 0 ? source.error + contribution : source.error - contribution);
            }
            const int64_t x = m == 0 ? 128 : unit.inputs[m - 1];
            const int64_t step = Divide(delta * x * rate, 163837500, stepUniforms[m]);
            unit.weights[m] = static_cast<uint8_t>(std::clamp<int64_t>(unit.weights[m] - step, 0, 255));
        }
    }

    // Classic: from the last neuron to the first, one draw for the delta and one per step.
    // Precise: band by band from the last, in chunks of up to 256 neurons from the top of the
    // band; a chunk of n takes 17n draws (slot 0 the delta draws, slots 1 + 2m and 2 + 2m step m's
    // pair, slots 9 + 2m and 10 + 2m its spare pair, each slot by position from the chunk's lowest
    // neuron), then its extra draws neuron by neuron from the top.
    int64_t Learn(int64_t rate, RandomSource& random, Rounding rounding = Rounding::Classic)
    {
        const int64_t count = static_cast<int64_t>(units.size());
        const int64_t outputs = static_cast<int64_t>(targets.size());
        const int64_t width = static_cast<int64_t>(inputLevels.size());
        int64_t squaredErrors = 0;
        if (rounding == Rounding::Classic) {
            for (int64_t i = count - 1; i >= 0; --i) {
                const int64_t deltaUniform = random.Draw() % Width(units[static_cast<size_t>(i)].level);
                int64_t stepUniforms[4];
                for (int64_t& uniform : stepUniforms) {
                    uniform = random.Draw();
                }
                Teach(i, rate, deltaUniform, stepUniforms, squaredErrors);
            }
        } else {
            for (int64_t bandStart = (count - 1) / width * width; bandStart >= 0; bandStart -= width) {
                for (int64_t top = std::min(bandStart + width, count) - 1; top >= bandStart; top -= 256) {
                    const int64_t bottom = std::max(top - 255, bandStart);
                    const int64_t n = top - bottom + 1;
                    std::vector<int64_t> fixed(static_cast<size_t>(17 * n));
                    for (int64_t& draw : fixed) {
                        draw = random.Draw();
                    }
                    const auto at = [&](int64_t slot, int64_t i) { return fixed[static_cast<size_t>(slot * n + i - bottom)]; };
                    std::vector<std::array<int64_t, 5>> uniforms(static_cast<size_t>(n));
                    for (int64_t i = top; i >= bottom; --i) {
                        std::array<int64_t, 5>& u = uniforms[static_cast<size_t>(i - bottom)];
                        u[0] = Uniform(Width(units[static_cast<size_t>(i)].level), random, rounding, at(0, i));
                        for (int64_t m = 0; m < 4; ++m) {
                            const int64_t pair = at(1 + 2 * m, i) * 32768 + at(2 + 2 * m, i);
                            const int64_t spare = at(9 + 2 * m, i) * 32768 + at(10 + 2 * m, i);
                            const int64_t limit = 6 * 163837500;
                            u[static_cast<size_t>(1 + m)] = pair < limit    ? pair % 163837500
                                                            : spare < limit ? spare % 163837500
                                                                            : Uniform(163837500, random, rounding);
                        }
                    }
                    for (int64_t i = top; i >= bottom; --i) {
                        const std::array<int64_t, 5>& u = uniforms[static_cast<size_t>(i - bottom)];
                        const int64_t stepUniforms[4] = {u[1], u[2], u[3], u[4]};
                        Teach(i, rate, u[0], stepUniforms, squaredErrors);
                    }
                }
            }
        }
        return Divide(squaredErrors, outputs, Uniform(outputs, random, rounding));
    }

    std::vector<Unit> units;
    std::vector<uint8_t> inputLevels;
    std::vector<uint8_t> outputLevels;
    std::vector<uint8_t> targets;
    // Set once any accumulator has been held at the limit.
    bool reachedLimit = false;
};
