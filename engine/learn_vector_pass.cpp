#include <algorithm>

#include "engine/discrete_net.h"
#include "engine/learn_scratch.h"
#include "engine/vector_kernels.h"

namespace {

// The kernels' bound on |delta| that keeps every step product below the step divisor.
uint32_t DeltaLimitOf(uint32_t rateMagnitude)
{
    return rateMagnitude == 0 ? UINT32_MAX : (SmallStepBase + rateMagnitude - 1) / rateMagnitude;
}

LearnChunkResult Combined(const LearnChunkResult& first, const LearnChunkResult& second)
{
    return {first.squaredErrors + second.squaredErrors, std::max(first.maxDelta, second.maxDelta)};
}

// The job for count neurons from position first on.
LearnChunkJob Offset(const LearnChunkJob& job, int32_t first, int32_t count)
{
    const auto from = static_cast<size_t>(first);
    LearnChunkJob part = job;
    part.levels += from;
    for (size_t m = 0; m < 3; ++m) {
        part.inputs[m] += from;
        if (part.contributions[m] != nullptr) {
            part.contributions[m] += from;
        }
    }
    for (size_t m = 0; m < 4; ++m) {
        part.weights[m] += from;
        part.stepUniforms[m] += from;
    }
    part.errors += from;
    if (part.targets != nullptr) {
        part.targets += from;
    }
    part.deltaUniforms += from;
    part.firstNeuron += first;
    part.count = count;
    return part;
}

// Teaches the job's last count neurons (fewer than a vector) through a staging copy padded with
// idle neurons: level 0, accumulator 0 (target 0), hence delta 0 and no change.
LearnChunkResult TeachStaged(const VectorKernels& kernels, const LearnChunkJob& job, int32_t first, int32_t count,
                             LearnScratch::Staging& staging)
{
    staging = LearnScratch::Staging{};
    const auto from = static_cast<size_t>(first);
    const auto size = static_cast<size_t>(count);
    LearnChunkJob staged = job;
    std::copy_n(job.levels + from, size, staging.levels);
    staged.levels = staging.levels;
    for (size_t m = 0; m < 3; ++m) {
        std::copy_n(job.inputs[m] + from, size, staging.inputs[m]);
        staged.inputs[m] = staging.inputs[m];
        staged.contributions[m] = job.contributions[m] != nullptr ? staging.contributions[m] : nullptr;
    }
    for (size_t m = 0; m < 4; ++m) {
        std::copy_n(job.weights[m] + from, size, staging.weights[m]);
        staged.weights[m] = staging.weights[m];
        std::copy_n(job.stepUniforms[m] + from, size, staging.stepUniforms[m]);
        staged.stepUniforms[m] = staging.stepUniforms[m];
    }
    std::copy_n(job.errors + from, size, staging.errors);
    staged.errors = staging.errors;
    if (job.targets != nullptr) {
        std::copy_n(job.targets + from, size, staging.targets);
        staged.targets = staging.targets;
    }
    std::copy_n(job.deltaUniforms + from, size, staging.deltaUniforms);
    staged.deltaUniforms = staging.deltaUniforms;
    staged.firstNeuron = job.firstNeuron + first;
    staged.count = kernels.lanes;

    const LearnChunkResult result = kernels.learnChunk(staged);

    std::copy_n(staging.errors, size, job.errors + from);
    for (size_t m = 0; m < 4; ++m) {
        std::copy_n(staging.weights[m], size, job.weights[m] + from);
    }
    for (size_t m = 0; m < 3; ++m) {
        if (job.contributions[m] != nullptr) {
            std::copy_n(staging.contributions[m] + m, size, job.contributions[m] + from + m);
        }
    }
    return result;
}

// Adds a chunk's contributions to the accumulators of the band before it (previous, of width
// columns), as the neurons from the chunk's top down would add them one by one, saturating; the
// kernel does it position by position when no partial sum can reach the limit, so that the order
// does not matter.
void Propagate(const VectorKernels& kernels, const int32_t (&contributions)[3][LearnChunk + 2 + LearnScratch::Spare],
               int32_t count, int32_t column0, uint32_t maxDelta, int32_t* previous, int32_t width)
{
    const int32_t* const arrays[3] = {contributions[0], contributions[1], contributions[2]};
    if (kernels.propagateUnsaturated(previous, width, column0, count, arrays, maxDelta)) {
        return;
    }
    for (int32_t p = count - 1; p >= 0; --p) {
        for (int32_t m = 0; m < 3; ++m) {
            const int32_t c = column0 + p + m;
            int32_t& accumulator = previous[c >= width ? c - width : c];
            accumulator = SaturateAccumulator(int64_t{accumulator} + contributions[m][p + m]);
        }
    }
}

} // namespace

int32_t DiscreteNet::LearnVector(int32_t rate, RandomSource& random, Rounding rounding)
{
    LearnScratch& scratch = *learnScratch;
    const VectorKernels& wide = KernelsOf(path);
    // The narrowest kernel takes the chunk's last partial vector, wasting the fewest lanes.
    const VectorKernels& narrow = Avx2Kernels;
    const int32_t firstOutput = neuronCount - outputCount;
    scratch.targetsByNeuron.resize(static_cast<size_t>(outputCount));
    for (int32_t t = 0; t < outputCount; ++t) {
        scratch.targetsByNeuron[static_cast<size_t>(outputCount - 1 - t)] = targets[static_cast<size_t>(t)];
    }
    const uint32_t rateMagnitude = rate < 0 ? 0u - static_cast<uint32_t>(rate) : static_cast<uint32_t>(rate);
    const uint32_t deltaLimit = DeltaLimitOf(rateMagnitude);

    int64_t squaredErrors = 0;
    ForEachLearnChunk(neuronCount, inputCount, [&](int32_t top, int32_t bottom, int32_t bandStart) {
        const int32_t count = top - bottom + 1;
        ChunkUniforms& uniforms = scratch.uniforms;
        if (rounding == Rounding::Classic) {
            uint32_t* const steps[4] = {uniforms.step[0], uniforms.step[1], uniforms.step[2], uniforms.step[3]};
            wide.sortClassicDraws(random.Take(static_cast<size_t>(ClassicNeuronDraws * count)), count, uniforms.delta,
                                  steps);
        } else {
            uint32_t* const steps[4] = {uniforms.step[0], uniforms.step[1], uniforms.step[2], uniforms.step[3]};
            uint64_t needsExtras[LearnChunk / 64];
            wide.resolvePreciseFixed(random.Take(static_cast<size_t>(PreciseNeuronDraws * count)), count,
                                     neurons.levels + bottom, uniforms.delta, steps, needsExtras);
            ResolvePreciseExtras(neurons.levels + bottom, count, needsExtras, random, uniforms);
        }

        // The band before takes the errors unless it is the input or an output band, whose
        // accumulators are replaced by their output errors.
        const bool propagates = bandStart > 0 && bandStart - inputCount < firstOutput;
        const auto start = static_cast<size_t>(bottom);
        LearnChunkJob job{};
        job.levels = neurons.levels + start;
        for (size_t m = 0; m < 3; ++m) {
            job.inputs[m] = neurons.inputs[m] + start;
            job.contributions[m] = propagates ? scratch.contributions[m] : nullptr;
        }
        for (size_t m = 0; m < 4; ++m) {
            job.weights[m] = neurons.weights[m] + start;
            job.stepUniforms[m] = uniforms.step[m];
        }
        job.errors = neurons.errors + start;
        job.targets = bottom >= firstOutput ? scratch.targetsByNeuron.data() + (bottom - firstOutput) : nullptr;
        job.deltaUniforms = uniforms.delta;
        job.firstNeuron = bottom;
        job.rate = rate;
        job.deltaLimit = deltaLimit;
        if (propagates) {
            for (int32_t (&inputContributions)[LearnChunk + 2 + LearnScratch::Spare] : scratch.contributions) {
                std::fill_n(inputContributions, 2, 0);
                std::fill_n(inputContributions + count, 2, 0);
            }
        }

        // Whole wide vectors, then whole narrow ones, then the rest through the staging copy.
        job.count = count / wide.lanes * wide.lanes;
        LearnChunkResult result = wide.learnChunk(job);
        const int32_t narrowCount = (count - job.count) / narrow.lanes * narrow.lanes;
        if (narrowCount > 0) {
            result = Combined(result, narrow.learnChunk(Offset(job, job.count, narrowCount)));
        }
        const int32_t done = job.count + narrowCount;
        if (done < count) {
            result = Combined(result, TeachStaged(narrow, job, done, count - done, scratch.staging));
        }
        squaredErrors += result.squaredErrors;
        if (propagates) {
            Propagate(wide, scratch.contributions, count, bottom - bandStart, result.maxDelta,
                      neurons.errors + (bandStart - inputCount), inputCount);
        }
    });
    return StochasticMeanError(squaredErrors, outputCount, random, rounding);
}
