#include <algorithm>

#include "engine/discrete_net.h"
#include "engine/learn_scalar.h"
#include "engine/kernel_tables.h"
#include "engine/learn_scratch.h"
#include "engine/vector_kernels.h"

namespace {

// Draws handed to one kernel call at most (beyond one chunk's), so that the source's block stays
// small for large networks.
constexpr int64_t WindowDraws = int64_t{1} << 15;

// The kernels' bounds on |delta|: below the first every step product is below the step divisor,
// below the second |delta * rate| is at most MediumStepBase.
uint32_t RateMagnitude(int32_t rate)
{
    return rate < 0 ? 0u - static_cast<uint32_t>(rate) : static_cast<uint32_t>(rate);
}

uint32_t DeltaLimitOf(int32_t rate)
{
    const uint32_t magnitude = RateMagnitude(rate);
    return magnitude == 0 ? UINT32_MAX : (SmallStepBase + magnitude - 1) / magnitude;
}

uint32_t MediumLimitOf(int32_t rate)
{
    const uint32_t magnitude = RateMagnitude(rate);
    return magnitude == 0 ? UINT32_MAX : MediumStepBase / magnitude + 1;
}

// The chunk after the one at (bandStart, top) in teaching order; bandStart < 0 after the last.
void NextChunk(int32_t& bandStart, int32_t& top, int32_t width)
{
    const int32_t bottom = std::max(top - LearnChunk + 1, bandStart);
    if (bottom > bandStart) {
        top = bottom - 1;
    } else {
        bandStart -= width;
        top = bandStart + width - 1;
    }
}

} // namespace

// Precise learning in bands of up to 8 runs about a sixth faster on the AVX2 build of the narrow
// kernels than on their AVX-512VL build (measured on Zen 5; classic is the same on both). The two
// builds share their source, their lanes and the wiring turns, so either may learn after the other's
// forward pass.
const VectorKernels& DiscreteNet::LearnKernels(Rounding rounding) const
{
    const VectorKernels& kernels = PassKernels();
    if (rounding == Rounding::Precise && &kernels == &Avx512NarrowKernels && IsEnginePathSupported(EnginePath::Avx2)) {
        return Avx2Kernels;
    }
    return kernels;
}

int32_t DiscreteNet::LearnVector(int32_t rate, RandomSource& random, Rounding rounding)
{
    LearnScratch& scratch = *learnScratch;
    const bool precise = rounding == Rounding::Precise;
    const VectorKernels& kernels = LearnKernels(rounding);
    if (inputCount <= kernels.levelEntriesUpToWidth && !levelEntriesCurrent) {
        // The forward pass ran on kernels that divide without them.
        FillLevelEntries(neurons.levels, neurons.levelEntries, neuronCount);
        levelEntriesCurrent = true;
    }
    const int32_t firstOutput = neuronCount - outputCount;
    scratch.targetsByNeuron.resize(static_cast<size_t>(outputCount) + LearnScratch::Spare);
    for (int32_t t = 0; t < outputCount; ++t) {
        scratch.targetsByNeuron[static_cast<size_t>(outputCount - 1 - t)] = targets[static_cast<size_t>(t)];
    }

    // The job's network fields are set once; the rate's bounds when the rate changes.
    LearnChunksJob& job = scratch.job;
    if (job.levels == nullptr) {
        job.levels = neurons.levels;
        for (size_t m = 0; m < 3; ++m) {
            job.inputs[m] = neurons.inputs[m];
        }
        for (size_t m = 0; m < 4; ++m) {
            job.weights[m] = neurons.weights[m];
            job.undecided[m] = scratch.undecided[m];
        }
        job.errors = neurons.errors;
        job.levelEntries = neurons.levelEntries;
        job.neuronCount = neuronCount;
        job.width = inputCount;
        job.firstOutput = firstOutput;
        job.turns = narrowTurns;
        job.deltas = scratch.deltas;
        job.sent = scratch.sent;
        job.rate = rate;
        job.deltaLimit = DeltaLimitOf(rate);
        job.mediumLimit = MediumLimitOf(rate);
    }
    if (job.rate != rate) {
        job.rate = rate;
        job.deltaLimit = DeltaLimitOf(rate);
        job.mediumLimit = MediumLimitOf(rate);
    }
    job.targets = scratch.targetsByNeuron.data();
    job.precise = precise;
    job.squaredErrors = 0;
    LearnState state{neurons.View(), targets.get(), neuronCount, inputCount, firstOutput, rate, 0};

    const int64_t perNeuron = precise ? PreciseNeuronDraws : ClassicNeuronDraws;
    int32_t bandStart = (neuronCount - 1) / inputCount * inputCount;
    int32_t top = neuronCount - 1;
    while (bandStart >= 0) {
        // The chunks from top down to neuron 0 take perNeuron * (top + 1) fixed draws.
        job.drawCount = std::min(perNeuron * (top + 1), std::max(WindowDraws, perNeuron * LearnChunk));
        job.draws = random.Peek(static_cast<size_t>(job.drawCount));
        job.bandStart = bandStart;
        job.top = top;
        const LearnChunksResult result = kernels.learnChunks(job);
        random.Skip(static_cast<size_t>(result.drawsUsed));
        bandStart = result.bandStart;
        top = result.top;
        switch (result.stop) {
        case ChunkStop::Done:
            bandStart = -1;
            break;
        case ChunkStop::OutOfDraws:
            break;
        case ChunkStop::TeachByNeuron: {
            // The rest of the band, one neuron at a time.
            const int32_t band = bandStart;
            while (bandStart == band) {
                const int32_t bottom = std::max(top - LearnChunk + 1, bandStart);
                const int32_t size = top - bottom + 1;
                if (precise) {
                    PreciseChunkDraws draws(random, size);
                    TeachChunkPrecise(state, top, bottom, bandStart, draws);
                    draws.Finish();
                } else {
                    TeachChunkClassic(state, top, bottom, bandStart, random.Take(static_cast<size_t>(ClassicNeuronDraws * size)));
                }
                NextChunk(bandStart, top, inputCount);
            }
            break;
        }
        case ChunkStop::StepUndecided: {
            const int32_t bottom = std::max(top - LearnChunk + 1, bandStart);
            const int32_t size = top - bottom + 1;
            PreciseChunkDraws draws(random, size);
            StepUndecided(state, bottom, size, job.undecided, draws);
            draws.Finish();
            for (uint64_t* marks : job.undecided) {
                std::fill(marks, marks + LearnChunk / 64, uint64_t{0});
            }
            NextChunk(bandStart, top, inputCount);
            break;
        }
        }
    }
    return StochasticMeanError(job.squaredErrors + state.squaredErrors, outputCount, random, rounding);
}
