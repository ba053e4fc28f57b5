// The vector kernels, written once with the compiler's vector types and included by each
// instruction set's translation unit, which first defines inside an unnamed namespace:
//   Lanes; the vector types VInt, VUint (Lanes x 32 bits) and VHalfDouble (Lanes / 2 doubles);
//   VHalfDouble LowHalf(VInt), HighHalf(VInt): the lanes of one half as doubles;
//   VInt IntegersOf(VHalfDouble low, VHalfDouble high): both halves truncated back to integers;
//   VHalfDouble Floor(VHalfDouble);
//   VUint Gather(const uint32_t* table, VUint index);
//   VUint MultiplyShift(VUint value, VUint multiplier, VUint shift): (value * multiplier) >> shift
//     with the product exact in 64 bits and the result below 2^32;
//   bool AnyLane(VInt mask);
//   void SortClassicVector(const uint16_t* draws, uint32_t* delta, uint32_t* const* step, int32_t p):
//     the classic draws of the Lanes neurons p.. (draws starts at the draws of the last of them,
//     five each, the last neuron first) into delta[0..Lanes) and step[m][p..p + Lanes);
//   VInt LoadBytes(const uint8_t* at): Lanes bytes, zero-extended;
//   VInt LoadWords(const uint16_t* at): Lanes 16-bit words, zero-extended;
//   uint32_t LaneBits(VInt mask): bit L set for every lane L of the mask that is set;
//   void StoreBytes(uint8_t* at, VInt value): the low byte of each lane.
// Everything here has internal linkage and uses nothing of the standard library, so that no code
// compiled for one instruction set is shared with another translation unit.

#include "engine/kernel_tables.h"
#include "engine/learning_constants.h"
#include "engine/precise_constants.h"
#include "engine/vector_kernels.h"

namespace {

template <typename Vector, typename Element>
inline Vector Load(const Element* at)
{
    Vector value;
    __builtin_memcpy(&value, at, sizeof value);
    return value;
}

template <typename Vector, typename Element>
inline void Store(Element* at, Vector value)
{
    __builtin_memcpy(at, &value, sizeof value);
}

inline VInt LaneNumbers()
{
    VInt lanes{};
    for (int lane = 0; lane < Lanes; ++lane) {
        lanes[lane] = lane;
    }
    return lanes;
}

// 0xFF in the lanes of even neurons, which invert inputs 1 and 3; odd neurons invert input 2.
inline VInt OuterInversion(int32_t firstNeuron)
{
    return (((LaneNumbers() + firstNeuron) & 1) - 1) & 0xFF;
}

// The band's sources with the first two again after the last.
inline void CopySources(uint8_t* sources, const uint8_t* previous, int32_t width)
{
    int32_t copied = 0;
    for (; copied + 16 <= width; copied += 16) {
        __builtin_memcpy(sources + copied, previous + copied, 16);
    }
    for (; copied < width; ++copied) {
        sources[copied] = previous[copied];
    }
    sources[width] = sources[0];
    sources[width + 1] = sources[1];
}

void Forward(const ForwardJob& job)
{
    const int32_t width = job.width;
    const VInt evenOuter = OuterInversion(0);
    for (int32_t bandStart = 0; bandStart < job.neuronCount; bandStart += width) {
        CopySources(job.sources, bandStart == 0 ? job.patternInputs : job.levels + (bandStart - width), width);

        // Whole vectors, also over the band's end: the neurons past it are the next band's, which
        // are computed again after this one, or the arrays' padding; their weights are only read.
        const int32_t columns = width < job.neuronCount - bandStart ? width : job.neuronCount - bandStart;
        // Lanes move by a whole vector, so the parity pattern flips with every odd lane count.
        const VInt bandOuter = (bandStart % 2 == 0) ? evenOuter : evenOuter ^ 0xFF;
        for (int32_t c = 0; c < columns; c += Lanes) {
            const int32_t j = bandStart + c;
            const VInt outer = (Lanes % 2 == 0 || (c / Lanes) % 2 == 0) ? bandOuter : bandOuter ^ 0xFF;
            const VInt input1 = LoadBytes(job.sources + c) ^ outer;
            const VInt input2 = LoadBytes(job.sources + c + 1) ^ outer ^ 0xFF;
            const VInt input3 = LoadBytes(job.sources + c + 2) ^ outer;
            StoreBytes(job.inputs[0] + j, input1);
            StoreBytes(job.inputs[1] + j, input2);
            StoreBytes(job.inputs[2] + j, input3);
            const VInt sum = (LoadBytes(job.weights[0] + j) << 7) + LoadBytes(job.weights[1] + j) * input1 +
                             LoadBytes(job.weights[2] + j) * input2 + LoadBytes(job.weights[3] + j) * input3;
            Store(job.sums + j, sum);
            // The bisection by buckets of 128 sums, as level_lookup.h explains.
            const VUint unsignedSum = (VUint)sum;
            const VUint entry = Gather(KernelBuckets, unsignedSum >> 7);
            const VUint below = (unsignedSum - (entry >> 9)) >> 31;
            const VUint reached = (entry & 511u) + 1u - below;
            const VUint hi = (VUint)(reached < 255u ? reached : VUint{} + 255u);
            const VUint lo = hi + (VUint)(hi > 0u);
            StoreBytes(job.levels + j, (VInt)lo);
            Store(job.errors + j, VInt{});
        }
    }
}

void ForwardRows(const ForwardRowsJob& job)
{
    const int32_t width = job.width;
    const VInt evenOuter = OuterInversion(0);
    for (int32_t bandStart = 0; bandStart < job.neuronCount; bandStart += width) {
        const int32_t columns = width < job.neuronCount - bandStart ? width : job.neuronCount - bandStart;
        const VInt bandOuter = (bandStart % 2 == 0) ? evenOuter : evenOuter ^ 0xFF;
        const bool outputs = bandStart >= job.firstOutput;
        // The rows are independent, so each one's chain of loads, products and lookups overlaps
        // the others'.
        for (int32_t row = 0; row < job.rows; ++row) {
            CopySources(job.sources[row],
                        bandStart == 0 ? job.patternInputs[row] : job.levels[row] + (bandStart - width), width);
        }
        for (int32_t c = 0; c < columns; c += Lanes) {
            const int32_t j = bandStart + c;
            const VInt w0 = LoadBytes(job.weights[0] + j) << 7;
            const VInt w1 = LoadBytes(job.weights[1] + j);
            const VInt w2 = LoadBytes(job.weights[2] + j);
            const VInt w3 = LoadBytes(job.weights[3] + j);
            for (int32_t row = 0; row < job.rows; ++row) {
                const uint8_t* sources = job.sources[row] + c;
                const VInt sum = w0 + w1 * (LoadBytes(sources) ^ bandOuter) +
                                 w2 * (LoadBytes(sources + 1) ^ bandOuter ^ 0xFF) + w3 * (LoadBytes(sources + 2) ^ bandOuter);
                const VUint unsignedSum = (VUint)sum;
                const VUint entry = Gather(KernelBuckets, unsignedSum >> 7);
                const VUint reached = (entry & 511u) + 1u - ((unsignedSum - (entry >> 9)) >> 31);
                const VUint hi = (VUint)(reached < 255u ? reached : VUint{} + 255u);
                StoreBytes(job.levels[row] + j, (VInt)(hi + (VUint)(hi > 0u)));
                if (outputs) {
                    StoreBytes(job.outputSlots[row] + (j - job.firstOutput), (VInt)hi);
                }
            }
        }
    }
}

void ForwardAcross(const ForwardAcrossJob& job)
{
    const int32_t width = job.width;
    for (int32_t i = 0; i < width; ++i) {
        for (int32_t row = 0; row < Lanes; ++row) {
            job.inputs[i * Lanes + row] = row < job.rows ? job.inputRows[row * width + i] : 0;
        }
    }
    const int32_t firstOutput = job.neuronCount - job.outputs;
    int32_t bandStart = 0;
    int32_t column = 0;
    for (int32_t j = 0; j < job.neuronCount; ++j) {
        const uint8_t* band = bandStart == 0 ? job.inputs : job.levels + (bandStart - width) * Lanes;
        const int32_t second = column + 1 >= width ? column + 1 - width : column + 1;
        const int32_t third = second + 1 >= width ? second + 1 - width : second + 1;
        const int32_t outer = (j & 1) == 0 ? 0xFF : 0;
        const VInt sum = 128 * static_cast<int32_t>(job.weights[0][j]) +
                         static_cast<int32_t>(job.weights[1][j]) * (LoadBytes(band + column * Lanes) ^ outer) +
                         static_cast<int32_t>(job.weights[2][j]) * (LoadBytes(band + second * Lanes) ^ outer ^ 0xFF) +
                         static_cast<int32_t>(job.weights[3][j]) * (LoadBytes(band + third * Lanes) ^ outer);
        const VUint unsignedSum = (VUint)sum;
        const VUint entry = Gather(KernelBuckets, unsignedSum >> 7);
        const VUint reached = (entry & 511u) + 1u - ((unsignedSum - (entry >> 9)) >> 31);
        const VUint hi = (VUint)(reached < 255u ? reached : VUint{} + 255u);
        StoreBytes(job.levels + j * Lanes, (VInt)(hi + (VUint)(hi > 0u)));
        if (j >= firstOutput) {
            const int32_t output = job.neuronCount - 1 - j;
            for (int32_t row = 0; row < job.rows; ++row) {
                job.outputRows[row * job.outputs + output] = static_cast<uint8_t>(hi[row]);
            }
        }
        if (++column == width) {
            column = 0;
            bandStart += width;
        }
    }
}

// The weights of one input after a small step (0 or 1 in each lane): lowered in the lanes of
// lower, raised elsewhere, never past 0 or 255.
inline VInt StepWeights(VInt weights, VInt step, VInt lower)
{
    const VInt down = lower & step & (weights > 0);
    const VInt up = ~lower & step & (weights < 255);
    return weights + down - up;
}

// Steps of the full rule for products that may reach the step divisor, half a vector at a time:
// the truncated quotient of product + StepDivisor - 1 - uniform (SteppedWeight explains why),
// capped at 255. In double precision a sum below 2^53 is exact, and its quotient by the divisor is
// either an integer or at least 1 / StepDivisor (6.1e-9) below the next one, while multiplying by
// the rounded reciprocal errs by less than 257 * 2^-52 (6e-14) wherever the step is not already
// 255: no quotient crosses an integer, and ExactMultiplesStayWhole shows that the reciprocal never
// puts an exact multiple below its integer. A larger product, exact or not, gives a quotient of at
// least 255, where every step ends at the same clamp.
constexpr bool ExactMultiplesStayWhole()
{
    const double divisor = StepDivisor;
    for (int k = 1; k <= 512; ++k) {
        if (k * divisor * (1.0 / divisor) < k) {
            return false;
        }
    }
    return true;
}
static_assert(ExactMultiplesStayWhole());

inline VHalfDouble WideSteps(VHalfDouble product, VHalfDouble uniform)
{
    const double divisor = StepDivisor;
    const VHalfDouble raised = product + ((divisor - 1.0) - uniform);
    const VHalfDouble quotient = Floor(raised * (1.0 / divisor));
    const VHalfDouble clamp = VHalfDouble{} + 255.0;
    return quotient < clamp ? quotient : clamp;
}

// The weights of one input after WideSteps: lowered in the lanes of lower, raised elsewhere,
// never past 0 or 255.
inline VInt WideStepWeights(VInt weights, VHalfDouble baseLow, VHalfDouble baseHigh, VInt input, VInt uniform,
                            VInt lower)
{
    const VInt steps = IntegersOf(WideSteps(baseLow * LowHalf(input), LowHalf(uniform)),
                                  WideSteps(baseHigh * HighHalf(input), HighHalf(uniform)));
    const VInt lowered = weights - steps;
    const VInt raised = weights + steps;
    return lower != 0 ? (lowered > 0 ? lowered : VInt{}) : (raised < 255 ? raised : VInt{} + 255);
}

LearnChunkResult LearnChunk(const LearnChunkJob& job)
{
    const VInt evenOuter = OuterInversion(job.firstNeuron);
    const VInt oddOuter = (Lanes % 2 == 0) ? evenOuter : evenOuter ^ 0xFF;
    const bool rateNegative = job.rate < 0;
    const uint32_t rateMagnitude = rateNegative ? 0u - static_cast<uint32_t>(job.rate) : static_cast<uint32_t>(job.rate);
    VInt squaredErrors{};
    VUint maxDelta{};
    for (int32_t p = 0; p < job.count; p += Lanes) {
        const VInt level = LoadBytes(job.levels + p);
        VInt accumulator;
        if (job.targets != nullptr) {
            const VInt error = level - LoadBytes(job.targets + p);
            squaredErrors += error * error;
            accumulator = error * OutputErrorScale;
        } else {
            accumulator = Load<VInt>(job.errors + p);
        }
        // The doubled accumulator saturates at the limit; its magnitude is what is divided.
        const VInt negative = accumulator < 0;
        const VUint magnitude = (VUint)(negative ? -accumulator : accumulator);
        const VUint doubled = (VUint)(magnitude > 0x3FFFFFFFu ? magnitude - magnitude + 0x7FFFFFFFu : magnitude * 2u);

        const VUint packed = Gather(KernelLevelWidths, (VUint)level);
        const VUint width = packed & 0xFFFFu;
        const VUint shift = packed >> 16;
        const VUint multiplier = Gather(KernelLevelMultipliers, (VUint)level);
        const VUint quotient = MultiplyShift(doubled, multiplier, shift);
        const VUint remainder = doubled - quotient * width;
        VUint uniform = Load<VUint>(job.deltaUniforms + p);
        uniform -= MultiplyShift(uniform, multiplier, shift) * width;
        const VUint deltaMagnitude = quotient - (VUint)(remainder > uniform);
        const VInt delta = negative ? -(VInt)deltaMagnitude : (VInt)deltaMagnitude;
        Store(job.errors + p, delta);
        maxDelta = deltaMagnitude > maxDelta ? deltaMagnitude : maxDelta;

        // Propagation uses the weights as the forward pass did, so it comes before the steps. An
        // input that the forward pass inverted takes the error negated.
        if (job.contributions[0] != nullptr) {
            const VInt outer = ((p / Lanes) % 2 == 0) ? evenOuter : oddOuter;
            const VInt sent = outer != 0 ? -delta : delta;
            Store(job.contributions[0] + p, LoadBytes(job.weights[1] + p) * sent);
            Store(job.contributions[1] + p + 1, -(LoadBytes(job.weights[2] + p) * sent));
            Store(job.contributions[2] + p + 2, LoadBytes(job.weights[3] + p) * sent);
        }

        // A positive product delta * rate lowers the weights.
        const VInt lower = rateNegative ? negative : ~negative;
        if (!AnyLane((VInt)(deltaMagnitude >= job.deltaLimit))) {
            // Every product is below the divisor: a step is 1 exactly when it exceeds the uniform.
            const VInt base = (VInt)(deltaMagnitude * rateMagnitude);
            for (int m = 0; m < 4; ++m) {
                const VInt input = m == 0 ? VInt{} + 128 : LoadBytes(job.inputs[m - 1] + p);
                const VInt step = (base * input) > Load<VInt>(job.stepUniforms[m] + p);
                StoreBytes(job.weights[m] + p, StepWeights(LoadBytes(job.weights[m] + p), step, lower));
            }
        } else {
            const double rateValue = rateMagnitude;
            const VHalfDouble baseLow = LowHalf((VInt)deltaMagnitude) * rateValue;
            const VHalfDouble baseHigh = HighHalf((VInt)deltaMagnitude) * rateValue;
            for (int m = 0; m < 4; ++m) {
                const VInt input = m == 0 ? VInt{} + 128 : LoadBytes(job.inputs[m - 1] + p);
                StoreBytes(job.weights[m] + p, WideStepWeights(LoadBytes(job.weights[m] + p), baseLow, baseHigh, input,
                                                               Load<VInt>(job.stepUniforms[m] + p), lower));
            }
        }
    }
    LearnChunkResult result{0, 0};
    for (int lane = 0; lane < Lanes; ++lane) {
        result.squaredErrors += squaredErrors[lane];
        result.maxDelta = maxDelta[lane] > result.maxDelta ? maxDelta[lane] : result.maxDelta;
    }
    return result;
}

void SortClassicDraws(const uint16_t* draws, int32_t count, uint32_t* delta, uint32_t* const* step)
{
    // Neuron p's draws start at 5 * (count - 1 - p).
    int32_t p = 0;
    for (; p + Lanes <= count; p += Lanes) {
        SortClassicVector(draws + 5 * (count - p - Lanes), delta + p, step, p);
    }
    for (; p < count; ++p) {
        const uint16_t* drawn = draws + 5 * (count - 1 - p);
        delta[p] = drawn[0];
        for (int m = 0; m < 4; ++m) {
            step[m][p] = drawn[1 + m];
        }
    }
}

uint32_t MaxMagnitude(const int32_t* values, int32_t count)
{
    VInt largest{};
    int32_t k = 0;
    for (; k + Lanes <= count; k += Lanes) {
        const VInt value = Load<VInt>(values + k);
        const VInt magnitude = value < 0 ? -value : value;
        largest = magnitude > largest ? magnitude : largest;
    }
    int32_t result = 0;
    for (int lane = 0; lane < Lanes; ++lane) {
        result = largest[lane] > result ? largest[lane] : result;
    }
    for (; k < count; ++k) {
        const int32_t magnitude = values[k] < 0 ? -values[k] : values[k];
        result = magnitude > result ? magnitude : result;
    }
    return static_cast<uint32_t>(result);
}

void AddContributions(int32_t* target, const int32_t* first, const int32_t* second, const int32_t* third,
                      int32_t count)
{
    int32_t k = 0;
    for (; k + Lanes <= count; k += Lanes) {
        Store(target + k,
              Load<VInt>(target + k) + Load<VInt>(first + k) + Load<VInt>(second + k) + Load<VInt>(third + k));
    }
    for (; k < count; ++k) {
        target[k] += first[k] + second[k] + third[k];
    }
}

bool PropagateUnsaturated(int32_t* previous, int32_t width, int32_t column0, int32_t count,
                          const int32_t* const* contributions, uint32_t maxDelta)
{
    // Positions k = 0..count + 1 reach columns column0 + k, wrapping once past the band's end.
    const int32_t reach = count + 2;
    const int32_t unwrapped = reach < width - column0 ? reach : width - column0;
    const int32_t wrapped = reach - unwrapped < width ? reach - unwrapped : width;
    const uint32_t first = MaxMagnitude(previous + column0, unwrapped);
    const uint32_t second = MaxMagnitude(previous, wrapped);
    const int64_t largest = first > second ? first : second;
    if (largest + 3 * 255 * int64_t{maxDelta} > AccumulatorLimit) {
        return false;
    }
    AddContributions(previous + column0, contributions[0], contributions[1], contributions[2], unwrapped);
    AddContributions(previous, contributions[0] + unwrapped, contributions[1] + unwrapped,
                     contributions[2] + unwrapped, reach - unwrapped);
    return true;
}

void ResolvePreciseFixed(const uint16_t* drawn, int32_t size, const uint8_t* levels, uint32_t* delta,
                         uint32_t* const* step, uint64_t* needsExtras)
{
    for (int32_t word = 0; word < (size + 63) / 64; ++word) {
        needsExtras[word] = 0;
    }
    // pair mod StepDivisor by the reciprocal of level_width.h's kind (exact below 2^31).
    const VUint stepMultiplier = VUint{} + StepReciprocal;
    const VUint stepShift = VUint{} + StepReciprocalShift;
    int32_t p = 0;
    for (; p + Lanes <= size; p += Lanes) {
        const VInt level = LoadBytes(levels + p);
        VInt needs = level == static_cast<int32_t>(PreciseWideLevel);
        Store(delta + p, (VUint)LoadWords(drawn + p));
        for (int m = 0; m < 4; ++m) {
            const VUint first = ((VUint)LoadWords(drawn + (1 + 2 * m) * size + p) << 15) |
                                (VUint)LoadWords(drawn + (2 + 2 * m) * size + p);
            const VUint spare = ((VUint)LoadWords(drawn + (9 + 2 * m) * size + p) << 15) |
                                (VUint)LoadWords(drawn + (10 + 2 * m) * size + p);
            const VUint pair = first < PreciseStepLimit ? first : spare;
            const VInt rejected = pair >= PreciseStepLimit;
            const VUint reduced = pair - MultiplyShift(pair, stepMultiplier, stepShift) * StepDivisor;
            Store(step[m] + p, rejected != 0 ? pair : reduced);
            needs |= rejected;
        }
        needsExtras[p / 64] |= static_cast<uint64_t>(LaneBits(needs)) << (p % 64);
    }
    for (; p < size; ++p) {
        bool needs = levels[p] == PreciseWideLevel;
        delta[p] = drawn[p];
        for (int m = 0; m < 4; ++m) {
            const uint32_t first = (uint32_t{drawn[(1 + 2 * m) * size + p]} << 15) | drawn[(2 + 2 * m) * size + p];
            const uint32_t spare = (uint32_t{drawn[(9 + 2 * m) * size + p]} << 15) | drawn[(10 + 2 * m) * size + p];
            const uint32_t pair = first < PreciseStepLimit ? first : spare;
            const bool rejected = pair >= PreciseStepLimit;
            step[m][p] = rejected ? pair : pair % StepDivisor;
            needs = needs || rejected;
        }
        needsExtras[p / 64] |= static_cast<uint64_t>(needs ? 1 : 0) << (p % 64);
    }
}

} // namespace
