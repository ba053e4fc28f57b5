// The vector kernels, written once with the compiler's vector types and included by each
// instruction set's translation unit, which first defines inside an unnamed namespace:
//   Lanes; the vector types VInt, VUint (Lanes x 32 bits) and VHalfDouble (Lanes / 2 doubles);
//   VHalfDouble LowHalf(VInt), HighHalf(VInt): the lanes of one half as doubles;
//   VInt IntegersOf(VHalfDouble low, VHalfDouble high): both halves truncated back to integers;
//   VHalfDouble Floor(VHalfDouble);
//   VUint Gather(const uint32_t* table, VUint index);
//   void GatherLevelEntries(VInt level, uint64_t* at): each lane's KernelLevelEntries entry, stored
//     at at[0..Lanes);
//   void LoadLevelEntries(const uint64_t* at, VUint& width, VUint& multiplier, VUint& shift): the
//     fields of the entries at at[0..Lanes);
//   VUint MultiplyShift(VUint value, VUint multiplier, VUint shift): (value * multiplier) >> shift
//     with the product exact in 64 bits and the result below 2^32;
//   VUint MultiplyConstantShift<Shift>(VUint value, uint32_t multiplier): the same for one
//     multiplier and a shift of 0..63 known at compile time;
//   bool AnyLane(VInt mask);
//   uint32_t LargestLane(VUint values), int32_t SumOfLanes(VInt values): across the lanes, in a
//     tree of lane shuffles (the sum wraps as 32-bit arithmetic does);
//   VUint Magnitude(VInt value): each lane's absolute value;
//   VUint SmallerUnsigned(VUint a, VUint b): each lane's smaller value;
//   VInt WithSignOf(VUint magnitude, VInt sign): magnitude, negated in the lanes where sign is
//     negative (and may be 0 where sign is 0, for a magnitude of 0 there);
//   VInt ClassicDraws(const uint16_t* draws, int k): draw k of Lanes neurons whose classic draws
//     (five each, in teaching order) start at draws, the last lane's neuron first;
//   VInt Permute(VInt values, VInt index): lane L takes lane index[L] of values;
//   VInt ShiftIn<Count>(VInt current, VInt previous): the last Count lanes of previous, then the
//     first Lanes - Count lanes of current;
//   VInt LoadBytes(const uint8_t* at): Lanes bytes, zero-extended;
//   VInt LoadWords(const uint16_t* at): Lanes 16-bit words, zero-extended;
//   uint32_t LaneBits(VInt mask): bit L set for every lane L of the mask that is set;
//   void StoreBytes(uint8_t* at, VInt value): the low byte of each lane;
//   VInt AddBytesSaturated(VInt a, VInt b), SubtractBytesSaturated(VInt a, VInt b): byte by byte,
//     the sum and the difference held to 0..255.
// A translation unit may also define CORVINA_DIVIDES_BY_WIDTHS with
//   VUint LevelWidths(VInt level): each lane's KernelLevelWidths entry;
//   void DivideTwoByWidths(VUint dividend, VUint draw, VUint width, VUint& quotient,
//     VUint& drawQuotient): both divided by width exactly;
// its kernels then divide without the level entries, and leave them unset.
// Everything here has internal linkage and uses nothing of the standard library, so that no code
// compiled for one instruction set is shared with another translation unit.

#include "engine/kernel_tables.h"
#include "engine/learning_constants.h"
#include "engine/precise_constants.h"
#include "engine/vector_kernels.h"

namespace {

// Whether the learning of bands wider than a vector divides by the level widths; the narrow
// learning keeps the level entries, whose reciprocal multiply waits less in the chain from band
// to band than a division.
#if CORVINA_DIVIDES_BY_WIDTHS
constexpr bool WideDividesByWidths = true;
#else
constexpr bool WideDividesByWidths = false;
#endif

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

// Each lane's level for its sum (of at most MaxNeuronSum), by level_lookup.h's LevelOfSum.
inline VUint LevelsOfSums(VUint sum)
{
    return (Gather(KernelLevelBuckets, sum >> KernelBucketShift) + sum) >> KernelLevelShift;
}

// Each lane's output slot: its level + 1 from the first threshold on, else 0 (the level is 0 there).
inline VUint SlotsOfLevels(VUint level, VUint sum)
{
    return level - (VUint)(sum >= KernelFirstThreshold);
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
            StoreBytes(job.levels + j, (VInt)LevelsOfSums((VUint)sum));
            Store(job.errors + j, VInt{});
        }
    }
#if !CORVINA_DIVIDES_BY_WIDTHS
    // The level entries for the learning, after the last band: fetched in the bands' loop, they
    // held up the chain from each band to the next.
    FillLevelEntries(job.levels, job.levelEntries, job.neuronCount);
#endif
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
                const VUint level = LevelsOfSums((VUint)sum);
                StoreBytes(job.levels[row] + j, (VInt)level);
                if (outputs) {
                    StoreBytes(job.outputSlots[row] + (j - job.firstOutput), (VInt)SlotsOfLevels(level, (VUint)sum));
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
        const VUint level = LevelsOfSums((VUint)sum);
        StoreBytes(job.levels + j * Lanes, (VInt)level);
        if (j >= firstOutput) {
            const VUint hi = SlotsOfLevels(level, (VUint)sum);
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


// Learning, chunk by chunk (learning_rules.h): a first pass over the chunk makes the deltas, a
// second propagates them and steps the weights, so that the propagation, known to be free of
// saturation from the deltas' largest magnitude, may add in any order.

// All lanes set where the lane is below count.
inline VInt LanesBelow(int32_t count)
{
    return LaneNumbers() < count;
}

// All lanes set where the lane's neuron (the first being first) is even, and so inverts its
// inputs 1 and 3.
inline VInt EvenNeurons(int32_t first)
{
    return ((LaneNumbers() + first) & 1) == 0;
}

// The squared output errors of a chunk, summed lane by lane and then across the lanes, stay
// below 2^31: at most 255 * 255 for each of its neurons.
static_assert(int64_t{LearnChunk} * 255 * 255 <= 0x7FFFFFFF);

// (value * divisor) >> 30: the part of the comparison of pair_rounding.h that a pair settles.
inline VUint PairQuotient(VUint pair, uint32_t divisor)
{
    return MultiplyConstantShift<30>(pair, divisor);
}

struct Chunk {
    int32_t bandStart;
    int32_t bottom;
    int32_t size;
    const uint16_t* draws;  // its own: classic from its top neuron's, precise its fixed draws
    bool outputs;           // an output band's: the accumulators come from the targets
    bool propagates;        // the band before takes the errors
};

// Draw k of the classic draws of the Lanes neurons from position p of the chunk.
inline VInt ClassicDrawsAt(const Chunk& chunk, int32_t p, int k)
{
    return ClassicDraws(chunk.draws + 5 * (chunk.size - p - Lanes), k);
}

// The 30-bit pair of slots slot and slot + 1 for the Lanes neurons from position p.
inline VUint PairAt(const Chunk& chunk, int32_t slot, int32_t p)
{
    const uint16_t* high = chunk.draws + slot * chunk.size + p;
    return ((VUint)LoadWords(high) << 15) | (VUint)LoadWords(high + chunk.size);
}

// The deltas of the Lanes neurons from position p of the chunk, at levels level, from their final
// accumulators (0 in idle lanes); false when a precise delta's pair leaves it undecided.
template <bool Precise, bool ByWidths>
inline bool VectorDeltas(const Chunk& chunk, int32_t p, VInt level, const uint64_t* entries, VInt accumulator, VInt active,
                         VInt& delta)
{
    // The doubled accumulator saturates at the limit; its magnitude is what is divided. Every
    // accumulator lies within +-AccumulatorLimit, so the magnitude doubles without wrapping, and
    // the limit caps it in one step.
    static_assert(AccumulatorLimit == 0x7FFFFFFF);
    const VUint doubled = SmallerUnsigned(Magnitude(accumulator) * 2u, VUint{} + 0x7FFFFFFFu);

    // The draw is read after the quotient is under way, as the chain from band to band wants it.
    const auto drawOf = [&chunk, p]() {
        return Precise ? (VUint)LoadWords(chunk.draws + p) : (VUint)ClassicDrawsAt(chunk, p, 0);
    };
    VUint draw;
    VUint quotient;
    VUint remainder;
    VUint uniform;
#if CORVINA_DIVIDES_BY_WIDTHS
    if (ByWidths) {
        const VUint width = LevelWidths(level);
        draw = drawOf();
        VUint drawQuotient;
        DivideTwoByWidths(doubled, draw, width, quotient, drawQuotient);
        remainder = doubled - quotient * width;
        uniform = draw - drawQuotient * width;
    } else
#endif
    {
        static_assert(!ByWidths || WideDividesByWidths);
        VUint width;
        VUint multiplier;
        VUint shift;
        LoadLevelEntries(entries, width, multiplier, shift);
        quotient = MultiplyShift(doubled, multiplier, shift);
        remainder = doubled - quotient * width;
        draw = drawOf();
        uniform = draw - MultiplyShift(draw, multiplier, shift) * width;
    }
    // Both below the width, which fits 16 bits: compared as signed, which every instruction set has.
    VInt raises = (VInt)remainder > (VInt)uniform;
    if (Precise) {
        // Level 254's width exceeds a draw: the delta draw is the high half of a pair.
        const VInt wide = active & (level == static_cast<int32_t>(PreciseWideLevel));
        if (AnyLane(wide)) {
            const VUint pair = (draw << 15) | (VUint)LoadWords(chunk.draws + chunk.size + p);
            const VUint settled = PairQuotient(pair, PreciseWideWidth);
            const VUint low = (pair * PreciseWideWidth) & ((1u << 30) - 1u);
            const VInt undecided =
                wide & (VInt)(settled + 1u == remainder) & (VInt)(low > (1u << 30) - PreciseWideWidth);
            if (AnyLane(undecided)) {
                return false;
            }
            raises = wide != 0 ? (VInt)(settled < remainder) : raises;
        }
    }
    const VUint deltaMagnitude = quotient - (VUint)raises;
    // A zero accumulator's delta is 0 already.
    delta = WithSignOf(deltaMagnitude, accumulator);
    return true;
}

// The accumulators of the Lanes neurons from neuron i, 0 in idle lanes: an output's from its
// target, adding its squared error to squares.
inline VInt FinalAccumulators(const LearnChunksJob& job, const Chunk& chunk, int32_t i, VInt level, VInt active,
                              VInt& squares)
{
    if (chunk.outputs) {
        const VInt error = active & (level - LoadBytes(job.targets + (i - job.firstOutput)));
        squares += error * error;
        return error * OutputErrorScale;
    }
    return active & Load<VInt>(job.errors + i);
}

// The chunk's deltas into job.deltas, with their largest magnitude and the sum of the squared
// output errors; false when a precise delta's pair leaves it undecided.
template <bool Precise>
inline bool ChunkDeltas(const LearnChunksJob& job, const Chunk& chunk, uint32_t& maxDelta, int64_t& squaredErrors)
{
    VInt squares{};
    VInt largest{};
    for (int32_t p = 0; p < chunk.size; p += Lanes) {
        const int32_t i = chunk.bottom + p;
        // Lanes past the chunk are idle: accumulator 0, hence delta 0.
        const VInt active = LanesBelow(chunk.size - p);
        const VInt level = LoadBytes(job.levels + i);
        VInt delta;
        if (!VectorDeltas<Precise, WideDividesByWidths>(chunk, p, level, job.levelEntries + i,
                                   FinalAccumulators(job, chunk, i, level, active, squares), active, delta)) {
            return false;
        }
        Store(job.deltas + p, delta);
        const VInt magnitude = delta < 0 ? -delta : delta;
        largest = magnitude > largest ? magnitude : largest;
    }
    maxDelta = LargestLane((VUint)largest);
    squaredErrors = chunk.outputs ? SumOfLanes(squares) : 0;
    return true;
}

// The weights of one input after steps of 0..255: lowered in the lanes of lower, raised
// elsewhere, never past 0 or 255. Weights and steps fill the low byte of their lanes, so that
// byte arithmetic held to 0..255 moves them, and leaves the other bytes 0.
inline VInt MovedWeights(VInt weights, VInt steps, VInt lower)
{
    return lower != 0 ? SubtractBytesSaturated(weights, steps) : AddBytesSaturated(weights, steps);
}

// The weights of one input after a small step (all bits set in the lanes that step).
inline VInt StepWeights(VInt weights, VInt step, VInt lower)
{
    return MovedWeights(weights, -step, lower);
}

// The steps of one input for products that may reach the step divisor: the truncated quotient of
// product + StepDivisor - 1 - uniform, which is the quotient raised when the remainder exceeds
// uniform (ClassicSteppedWeight explains why), capped at 255. uniform is the classic draw, or the
// value that a precise pair settles (PairQuotient).
//
// Medium products, from a |delta * rate| of at most MediumStepBase, take exact 32-bit arithmetic:
// the sum stays below 2^32, and its quarter below 2^30, where QuarterStepReciprocal divides exactly.
inline VInt MediumSteps(VUint product, VUint uniform)
{
    const VUint raised = product + ((StepDivisor - 1u) - uniform);
    return (VInt)MultiplyConstantShift<QuarterStepReciprocalShift>(raised >> 2, QuarterStepReciprocal);
}

// Larger products take double precision, half a vector at a time. A sum below 2^53 is exact, and
// its quotient by the divisor is either an integer or at least 1 / StepDivisor (6.1e-9) below the
// next one, while multiplying by the rounded reciprocal errs by less than 257 * 2^-52 (6e-14)
// wherever the step is not already 255: no quotient crosses an integer, and
// ExactMultiplesStayWhole shows that the reciprocal never puts an exact multiple below its
// integer. A larger product, exact or not, gives a quotient of at least 255, where every step
// ends at the same clamp.
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

// The raised sum of WideSteps, and its quotient before the cap.
inline VHalfDouble WideRaised(VHalfDouble product, VHalfDouble uniform)
{
    return product + ((static_cast<double>(StepDivisor) - 1.0) - uniform);
}

inline VHalfDouble WideQuotient(VHalfDouble raised)
{
    return Floor(raised * (1.0 / static_cast<double>(StepDivisor)));
}

inline VInt WideSteps(VHalfDouble productLow, VHalfDouble productHigh, VInt uniform)
{
    const VHalfDouble cap = VHalfDouble{} + 255.0;
    const VHalfDouble low = WideQuotient(WideRaised(productLow, LowHalf(uniform)));
    const VHalfDouble high = WideQuotient(WideRaised(productHigh, HighHalf(uniform)));
    return IntegersOf(low < cap ? low : cap, high < cap ? high : cap);
}

// For a precise step by WideSteps with the settled value: all lanes set where the raised sum is
// an exact multiple of the divisor (so that the step would be one less with the settled value one
// higher, and the pair may not decide it), or where the quotient is 254 or more (the arithmetic
// may not be exact there; the scalar rule settles those).
inline VInt WideUnsettled(VHalfDouble productLow, VHalfDouble productHigh, VInt settled)
{
    const double divisor = StepDivisor;
    const VHalfDouble one = VHalfDouble{} + 1.0;
    const VHalfDouble raisedLow = WideRaised(productLow, LowHalf(settled));
    const VHalfDouble raisedHigh = WideRaised(productHigh, HighHalf(settled));
    const VHalfDouble quotientLow = WideQuotient(raisedLow);
    const VHalfDouble quotientHigh = WideQuotient(raisedHigh);
    const VHalfDouble flagLow = ((quotientLow >= 254.0) | (raisedLow - quotientLow * divisor == 0.0)) ? one : VHalfDouble{};
    const VHalfDouble flagHigh =
        ((quotientHigh >= 254.0) | (raisedHigh - quotientHigh * divisor == 0.0)) ? one : VHalfDouble{};
    return IntegersOf(flagLow, flagHigh) != 0;
}

// Where a vector's step draws come from: the Lanes neurons from position p of chunk; or, for two
// narrow bands stepped in one vector, precise pairs from chunk in the lanes of lowLanes (the band
// before) and from above's position 0 moved up by upTurn in the others. (Classic draws of two such
// bands lie one after the other: one chunk of both gives them.)
struct StepDraws {
    const Chunk* chunk;
    int32_t p;
    const Chunk* above;
    VInt upTurn;
    VInt lowLanes;
};

// The classic draw of step m, or the value that its precise pair settles.
template <bool Precise>
inline VUint StepUniform(const StepDraws& draws, int m)
{
    if (!Precise) {
        return (VUint)ClassicDrawsAt(*draws.chunk, draws.p, 1 + m);
    }
    VUint pair = PairAt(*draws.chunk, PreciseStepSlot[m], draws.p);
    if (draws.above != nullptr) {
        pair = draws.lowLanes != 0 ? pair : (VUint)Permute((VInt)PairAt(*draws.above, PreciseStepSlot[m], 0), draws.upTurn);
    }
    return PairQuotient(pair, StepDivisor);
}

// The four weights of the Lanes neurons from neuron i after their steps by their deltas, into
// stepped. Precise steps whose first pair may leave them undecided are not made: their lanes are
// set in unsettledOf; returns the lanes that have any.
template <bool Precise>
inline VInt SteppedWeights(const LearnChunksJob& job, const StepDraws& draws, int32_t i, VInt delta, VInt (&stepped)[4],
                           VInt (&unsettledOf)[4])
{
    const bool rateNegative = job.rate < 0;
    const uint32_t rateMagnitude = rateNegative ? 0u - static_cast<uint32_t>(job.rate) : static_cast<uint32_t>(job.rate);
    const VInt negative = delta < 0;
    const VUint deltaMagnitude = Magnitude(delta);
    // A positive product delta * rate lowers the weights. Every lane of a vector takes the
    // arithmetic that its largest product needs.
    const VInt lower = rateNegative ? negative : ~negative;
    const bool small = !AnyLane((VInt)(deltaMagnitude >= job.deltaLimit));
    const bool medium = small || !AnyLane((VInt)(deltaMagnitude >= job.mediumLimit));
    const VInt base = (VInt)(deltaMagnitude * rateMagnitude);
    const double rateValue = rateMagnitude;
    const VHalfDouble baseLow = LowHalf((VInt)deltaMagnitude) * rateValue;
    const VHalfDouble baseHigh = HighHalf((VInt)deltaMagnitude) * rateValue;
    VInt anyUnsettled{};
    // Unrolled, so that the slot arithmetic folds and the four steps' chains overlap.
#pragma GCC unroll 4
    for (int m = 0; m < 4; ++m) {
        const VInt input = m == 0 ? VInt{} + 128 : LoadBytes(job.inputs[m - 1] + i);
        const VInt weights = LoadBytes(job.weights[m] + i);
        const VUint uniform = StepUniform<Precise>(draws, m);
        VInt moved;
        VInt unsettled{};
        if (small) {
            // Every product is below the divisor, its own remainder: a step is 0 or 1.
            const VInt product = base * input;
            // Both below the step divisor (below 2^31): compared as signed.
            moved = StepWeights(weights, product > (VInt)uniform, lower);
            if (Precise) {
                unsettled = (VInt)(uniform + 1u == (VUint)product);
            }
        } else if (medium) {
            const VUint product = (VUint)base * (VUint)input;
            const VInt steps = MediumSteps(product, uniform);
            moved = MovedWeights(weights, steps, lower);
            if (Precise) {
                const VUint raised = product + ((StepDivisor - 1u) - uniform);
                unsettled = (VInt)(raised == (VUint)steps * StepDivisor);
            }
        } else {
            const VHalfDouble productLow = baseLow * LowHalf(input);
            const VHalfDouble productHigh = baseHigh * HighHalf(input);
            moved = MovedWeights(weights, WideSteps(productLow, productHigh, (VInt)uniform), lower);
            if (Precise) {
                unsettled = WideUnsettled(productLow, productHigh, (VInt)uniform);
            }
        }
        if (Precise) {
            // Undecided steps are rare: one test for the four inputs, after them.
            unsettledOf[m] = unsettled;
            anyUnsettled |= unsettled;
            moved = unsettled != 0 ? weights : moved;
        }
        stepped[m] = moved;
    }
    return anyUnsettled;
}

inline void StoreWeights(const LearnChunksJob& job, int32_t i, const VInt (&stepped)[4])
{
    for (int m = 0; m < 4; ++m) {
        StoreBytes(job.weights[m] + i, stepped[m]);
    }
}

// Steps the four weights of the Lanes neurons from position p of the chunk (neuron i) by their
// deltas. Precise steps whose first pair may leave them undecided are not made but marked in
// job.undecided; returns the lanes that have any.
template <bool Precise>
inline VInt StepVector(const LearnChunksJob& job, const Chunk& chunk, int32_t p, int32_t i, VInt delta)
{
    VInt stepped[4];
    VInt unsettledOf[4] = {};
    const StepDraws draws{&chunk, p, nullptr, VInt{}, VInt{}};
    const VInt anyUnsettled = SteppedWeights<Precise>(job, draws, i, delta, stepped, unsettledOf);
    StoreWeights(job, i, stepped);
    if (Precise && AnyLane(anyUnsettled)) [[unlikely]] {
        for (int m = 0; m < 4; ++m) {
            job.undecided[m][p / 64] |= static_cast<uint64_t>(LaneBits(unsettledOf[m])) << (p % 64);
        }
    }
    return anyUnsettled;
}

// Propagation, weight steps and the deltas into the accumulators, for the chunk whose deltas
// ChunkDeltas made. The chunk's contributions to the band before go to job.sent by column of
// that band from the chunk's own first column: position k holds input 1 of neuron k, input 2 of
// neuron k - 1 and input 3 of neuron k - 2. Returns whether any step was left undecided.
template <bool Precise>
inline bool ChunkSteps(const LearnChunksJob& job, const Chunk& chunk)
{
    VInt sentSecond{};
    VInt sentThird{};
    VInt anyUndecided{};
    for (int32_t p = 0; p < chunk.size; p += Lanes) {
        const int32_t i = chunk.bottom + p;
        const VInt active = LanesBelow(chunk.size - p);
        const VInt delta = Load<VInt>(job.deltas + p);
        // Lanes past the chunk belong to neurons already taught; they keep their deltas.
        Store(job.errors + i, active != 0 ? delta : Load<VInt>(job.errors + i));
        // A third to a half of the vectors of a typical pass have only zero deltas, which send
        // nothing and step no weight.
        if (!AnyLane(delta)) {
            if (chunk.propagates) {
                Store(job.sent + p, ShiftIn<1>(VInt{}, sentSecond) + ShiftIn<2>(VInt{}, sentThird));
                sentSecond = VInt{};
                sentThird = VInt{};
            }
            continue;
        }
        // Propagation uses the weights as the forward pass did, so it comes before the steps. An
        // input that the forward pass inverted takes the error negated.
        if (chunk.propagates) {
            const VInt sent = EvenNeurons(i) != 0 ? -delta : delta;
            const VInt first = LoadBytes(job.weights[1] + i) * sent;
            const VInt second = -(LoadBytes(job.weights[2] + i) * sent);
            const VInt third = LoadBytes(job.weights[3] + i) * sent;
            Store(job.sent + p, first + ShiftIn<1>(second, sentSecond) + ShiftIn<2>(third, sentThird));
            sentSecond = second;
            sentThird = third;
        }
        anyUndecided |= StepVector<Precise>(job, chunk, p, i, delta);
    }
    if (chunk.propagates) {
        const int32_t end = (chunk.size + Lanes - 1) / Lanes * Lanes;
        Store(job.sent + end, ShiftIn<1>(VInt{}, sentSecond) + ShiftIn<2>(VInt{}, sentThird));
    }
    return AnyLane(anyUndecided);
}

// Adds the chunk's contributions (job.sent) to the accumulators of the band before: positions
// 0..size - 1 to the chunk's own columns, the two after them to the next columns, wrapping past
// the band's end.
inline void FoldSent(const LearnChunksJob& job, const Chunk& chunk)
{
    const int32_t column0 = chunk.bottom - chunk.bandStart;
    int32_t* const previous = job.errors + (chunk.bandStart - job.width);
    for (int32_t p = 0; p < chunk.size; p += Lanes) {
        int32_t* const at = previous + column0 + p;
        Store(at, Load<VInt>(at) + (LanesBelow(chunk.size - p) & Load<VInt>(job.sent + p)));
    }
    for (int32_t k = chunk.size; k < chunk.size + 2; ++k) {
        int32_t column = column0 + k;
        while (column >= job.width) {
            column -= job.width;
        }
        previous[column] += job.sent[k];
    }
}

template <bool Precise>
LearnChunksResult TeachChunks(LearnChunksJob& job);

// The kernels work on a copy of the job, which no store to the network's arrays can change (a
// byte store could, as far as the compiler knows, change the job in memory), and give back the
// sums they keep.
template <bool Precise, LearnChunksResult (*Teach)(LearnChunksJob&)>
LearnChunksResult OnLocalJob(LearnChunksJob& job)
{
    LearnChunksJob local = job;
    const LearnChunksResult result = Teach(local);
    job.squaredErrors = local.squaredErrors;
    job.bandMaxDelta = local.bandMaxDelta;
    return result;
}

template <bool Precise>
LearnChunksResult TeachChunks(LearnChunksJob& job)
{
    const int32_t perNeuron = Precise ? PreciseNeuronDraws : ClassicNeuronDraws;
    int64_t used = 0;
    int32_t bandStart = job.bandStart;
    int32_t top = job.top;
    for (;;) {
        const int32_t bottom = top - LearnChunk + 1 > bandStart ? top - LearnChunk + 1 : bandStart;
        const int32_t size = top - bottom + 1;
        const int64_t needed = int64_t{perNeuron} * size;
        if (used + needed > job.drawCount) {
            return {ChunkStop::OutOfDraws, bandStart, top, used};
        }
        if (top == (bandStart + job.width < job.neuronCount ? bandStart + job.width : job.neuronCount) - 1) {
            job.bandMaxDelta = 0;
        }
        const Chunk chunk{bandStart,
                          bottom,
                          size,
                          job.draws + used,
                          bandStart >= job.firstOutput,
                          bandStart > 0 && bandStart - job.width < job.firstOutput};

        uint32_t maxDelta = 0;
        int64_t squaredErrors = 0;
        const bool decided = ChunkDeltas<Precise>(job, chunk, maxDelta, squaredErrors);
        job.bandMaxDelta = maxDelta > job.bandMaxDelta ? maxDelta : job.bandMaxDelta;
        // Each accumulator of the band before takes three contributions of at most 255 * |delta|:
        // below the limit together, they add in any order to what the exact order gives.
        const bool unsaturated = int64_t{3 * 255} * job.bandMaxDelta <= AccumulatorLimit;
        if (!decided || (chunk.propagates && !unsaturated)) {
            return {ChunkStop::TeachByNeuron, bandStart, top, used};
        }
        const bool undecided = ChunkSteps<Precise>(job, chunk);
        if (chunk.propagates) {
            FoldSent(job, chunk);
        }
        job.squaredErrors += squaredErrors;
        if (undecided) {
            return {ChunkStop::StepUndecided, bandStart, top, used};
        }
        used += needed;
        if (bottom > bandStart) {
            top = bottom - 1;
        } else if (bandStart > 0) {
            bandStart -= job.width;
            top = bandStart + job.width - 1;
        } else {
            return {ChunkStop::Done, 0, 0, used};
        }
    }
}

// Networks whose bands fit in one vector: a band's columns are the lanes, and the wiring's
// columns c + 1 and c + 2 (or c - 1 and c - 2, modulo the width) are lane permutations, so that a
// band's levels, and its accumulators, pass to the next band in registers.

void ForwardNarrow(const ForwardJob& job)
{
    const int32_t width = job.width;
    const VInt second = Load<VInt>(job.turns + Lanes);
    const VInt third = Load<VInt>(job.turns + 2 * Lanes);
    const VInt evenOuter = OuterInversion(0);
    // The pattern inputs through the scratch, which a whole vector may be read from.
    CopySources(job.sources, job.patternInputs, width);
    VInt previous = LoadBytes(job.sources);
    for (int32_t j = 0; j < job.neuronCount; j += width) {
        // Lanes past the band compute garbage for the next band's neurons, which are computed
        // again after this one, or for the arrays' padding.
        const VInt outer = (j % 2 == 0) ? evenOuter : evenOuter ^ 0xFF;
        const VInt input1 = previous ^ outer;
        const VInt input2 = Permute(previous, second) ^ outer ^ 0xFF;
        const VInt input3 = Permute(previous, third) ^ outer;
        StoreBytes(job.inputs[0] + j, input1);
        StoreBytes(job.inputs[1] + j, input2);
        StoreBytes(job.inputs[2] + j, input3);
        const VInt sum = (LoadBytes(job.weights[0] + j) << 7) + LoadBytes(job.weights[1] + j) * input1 +
                         LoadBytes(job.weights[2] + j) * input2 + LoadBytes(job.weights[3] + j) * input3;
        Store(job.sums + j, sum);
        const VInt lo = (VInt)LevelsOfSums((VUint)sum);
        StoreBytes(job.levels + j, lo);
        // Gathered here, the entries wait for no band: the chain from band to band leaves the
        // time for them.
        GatherLevelEntries(lo, job.levelEntries + j);
        Store(job.errors + j, VInt{});
        previous = lo;
    }
}

// Largest |delta| for which three contributions of at most 255 * |delta| stay within the
// accumulator limit together.
inline constexpr int32_t UnsaturatedDelta = AccumulatorLimit / (3 * 255);

// A band of TeachNarrow whose steps wait for the band before's deltas, so that the two bands step
// in one vector.
struct WaitingBand {
    bool waits;
    Chunk chunk;
    VInt delta;
    int64_t needed;
};

// Steps a narrow band by itself; true when a precise step is left undecided (and marked).
template <bool Precise>
inline bool StepBandLeavesUndecided(const LearnChunksJob& job, const Chunk& chunk, VInt delta)
{
    return AnyLane(delta) && AnyLane(StepVector<Precise>(job, chunk, 0, chunk.bandStart, delta));
}

// The waiting band's steps by themselves; false when a precise step is left undecided.
template <bool Precise>
inline bool StepWaiting(const LearnChunksJob& job, WaitingBand& waiting, int64_t& used)
{
    if (StepBandLeavesUndecided<Precise>(job, waiting.chunk, waiting.delta)) {
        return false;
    }
    used += waiting.needed;
    waiting.waits = false;
    return true;
}

// Steps the band at bandStart (deltas delta, draws of chunk) and the waiting band above it in one
// vector, the band's columns first; false, with nothing changed, when a precise step would be left
// undecided.
template <bool Precise>
inline bool StepTogether(const LearnChunksJob& job, const Chunk& chunk, VInt delta, const WaitingBand& waiting,
                         VInt upByWidth)
{
    const VInt own = LanesBelow(job.width);
    const VInt both = own != 0 ? delta : Permute(waiting.delta, upByWidth);
    if (!AnyLane(both)) {
        return true;
    }
    // Classic draws of the two bands lie one after the other, the waiting band's first, as they
    // would for one chunk of both.
    const Chunk joined{chunk.bandStart, chunk.bottom, job.width + waiting.chunk.size, waiting.chunk.draws, false, false};
    const StepDraws draws =
        Precise ? StepDraws{&chunk, 0, &waiting.chunk, upByWidth, own} : StepDraws{&joined, 0, nullptr, VInt{}, VInt{}};
    VInt stepped[4];
    VInt unsettledOf[4] = {};
    if (AnyLane(SteppedWeights<Precise>(job, draws, chunk.bandStart, both, stepped, unsettledOf))) {
        return false;
    }
    StoreWeights(job, chunk.bandStart, stepped);
    return true;
}

template <bool Precise>
LearnChunksResult TeachNarrow(LearnChunksJob& job)
{
    const int32_t width = job.width;
    const int32_t perNeuron = Precise ? PreciseNeuronDraws : ClassicNeuronDraws;
    const VInt columns = LanesBelow(width);
    const VInt fromSecond = Load<VInt>(job.turns + 3 * Lanes);
    const VInt fromThird = Load<VInt>(job.turns + 4 * Lanes);
    const VInt upByWidth = Load<VInt>(job.turns + 5 * Lanes);
    // Bands of at most half a vector step two at a time: the steps of a vector cost the same for
    // one band as for two.
    const bool pairs = 2 * width <= Lanes;
    // Draws of the bands taught whole; a waiting band's are taken but not yet counted.
    int64_t used = 0;
    int32_t bandStart = job.bandStart;
    // The accumulators that the band above propagated, while they are known.
    VInt carried{};
    bool carrying = false;
    // Set field by field: cleared whole, with its padding, it took a string store, slow to start,
    // every call.
    WaitingBand waiting;
    waiting.waits = false;
    waiting.chunk = Chunk{0, 0, 0, nullptr, false, false};
    waiting.delta = VInt{};
    waiting.needed = 0;
    const auto waitingUndecided = [&waiting, &used]() {
        return LearnChunksResult{ChunkStop::StepUndecided, waiting.chunk.bandStart,
                                 waiting.chunk.bandStart + waiting.chunk.size - 1, used};
    };
    for (;;) {
        const int32_t size = job.neuronCount - bandStart < width ? job.neuronCount - bandStart : width;
        const int32_t top = bandStart + size - 1;
        const int64_t needed = int64_t{perNeuron} * size;
        const int64_t taken = used + (waiting.waits ? waiting.needed : 0);
        if (taken + needed > job.drawCount) {
            if (waiting.waits && !StepWaiting<Precise>(job, waiting, used)) {
                return waitingUndecided();
            }
            return {ChunkStop::OutOfDraws, bandStart, top, used};
        }
        const Chunk chunk{bandStart,
                          bandStart,
                          size,
                          job.draws + taken,
                          bandStart >= job.firstOutput,
                          bandStart > 0 && bandStart - width < job.firstOutput};
        const VInt active = LanesBelow(size);
        const VInt level = LoadBytes(job.levels + bandStart);
        VInt squares{};
        const VInt accumulator = carrying && !chunk.outputs
                                     ? carried
                                     : FinalAccumulators(job, chunk, bandStart, level, active, squares);
        VInt delta;
        if (!VectorDeltas<Precise, false>(chunk, 0, level, job.levelEntries + bandStart, accumulator, active, delta) ||
            (chunk.propagates && AnyLane((delta < -UnsaturatedDelta) | (delta > UnsaturatedDelta)))) {
            // The accumulators of this band are in memory (see below).
            if (waiting.waits && !StepWaiting<Precise>(job, waiting, used)) {
                return waitingUndecided();
            }
            return {ChunkStop::TeachByNeuron, bandStart, top, used};
        }
        // Propagation uses the weights as the forward pass did, so it comes before the steps.
        // Column c of the band before takes input 1 of column c, input 2 of column c - 1 and
        // input 3 of column c - 2; the band before's accumulators were 0.
        VInt sending{};
        if (chunk.propagates) {
            const VInt sent = EvenNeurons(bandStart) != 0 ? -delta : delta;
            const VInt first = LoadBytes(job.weights[1] + bandStart) * sent;
            const VInt second = -(LoadBytes(job.weights[2] + bandStart) * sent);
            const VInt third = LoadBytes(job.weights[3] + bandStart) * sent;
            sending = columns & (first + Permute(second, fromSecond) + Permute(third, fromThird));
        }
        // The waiting band steps with this one, or, when that would leave a step undecided, by
        // itself (before anything of this band is stored, so that a stop there finds it as it was).
        bool stepped = false;
        if (waiting.waits) {
            if (StepTogether<Precise>(job, chunk, delta, waiting, upByWidth)) {
                used += waiting.needed + needed;
                waiting.waits = false;
                stepped = true;
            } else if (!StepWaiting<Precise>(job, waiting, used)) {
                return waitingUndecided();
            }
        }
        // Lanes past the band belong to neurons already taught; they keep their deltas.
        Store(job.errors + bandStart, active != 0 ? delta : Load<VInt>(job.errors + bandStart));
        carrying = chunk.propagates;
        if (chunk.propagates) {
            carried = sending;
            // Also in memory, for whatever takes over from here; past the band before's columns
            // lie this band's deltas.
            int32_t* const previous = job.errors + (bandStart - width);
            Store(previous, columns != 0 ? carried : Load<VInt>(previous));
        }
        if (chunk.outputs) {
            job.squaredErrors += SumOfLanes(squares);
        }
        if (!stepped) {
            if (pairs && bandStart > 0) {
                waiting = WaitingBand{true, chunk, delta, needed};
            } else {
                if (StepBandLeavesUndecided<Precise>(job, chunk, delta)) {
                    return {ChunkStop::StepUndecided, bandStart, top, used};
                }
                used += needed;
            }
        }
        if (bandStart == 0) {
            return {ChunkStop::Done, 0, 0, used};
        }
        bandStart -= width;
    }
}

// The widest bands whose learning reads the level entries, and whose forward pass leaves them.
constexpr int32_t LevelEntriesUpToWidth = WideDividesByWidths ? Lanes : 0x7FFFFFFF;

LearnChunksResult LearnChunks(LearnChunksJob& job)
{
    if (job.width <= Lanes) {
        return job.precise ? OnLocalJob<true, TeachNarrow<true>>(job) : OnLocalJob<false, TeachNarrow<false>>(job);
    }
    return job.precise ? OnLocalJob<true, TeachChunks<true>>(job) : OnLocalJob<false, TeachChunks<false>>(job);
}

void ForwardPass(const ForwardJob& job)
{
    // A copy, for the reason of OnLocalJob.
    const ForwardJob local = job;
    if (local.width <= Lanes) {
        ForwardNarrow(local);
    } else {
        Forward(local);
    }
}

} // namespace
