#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "engine/discrete_net.h"
#include "engine/row_scratch.h"
#include "engine/vector_kernels.h"

void DiscreteNet::ForwardRows(const uint8_t* inputRows, int64_t rowCount, uint8_t* outputRows)
{
    const auto width = static_cast<size_t>(inputCount);
    const auto outputs = static_cast<size_t>(outputCount);
    if (rowCount <= 0) {
        return;
    }
    // The scratch of the vector paths is about as large as the network; where there is no room
    // for it, the rows run one at a time.
    if (path != EnginePath::Scalar && !rowScratch) {
        try {
            rowScratch = std::make_unique<RowScratch>(static_cast<size_t>(neuronCount), width, outputs);
        } catch (const std::bad_alloc&) {
            rowScratch.reset();
        }
    }
    if (path == EnginePath::Scalar || !rowScratch) {
        for (int64_t row = 0; row < rowCount - 1; ++row) {
            std::memcpy(inputLevels, inputRows + static_cast<size_t>(row) * width, width);
            Forward();
            std::memcpy(outputRows + static_cast<size_t>(row) * outputs, outputLevels, outputs);
        }
    } else if (RowsUseBands()) {
        ForwardRowsJob job{};
        for (size_t m = 0; m < 4; ++m) {
            job.weights[m] = neurons.weights[m];
        }
        job.width = inputCount;
        job.neuronCount = neuronCount;
        job.firstOutput = neuronCount - outputCount;
        const VectorKernels& kernels = KernelsOf(path);
        // All rows but the last, which runs through Forward to leave its pass in the network.
        for (int64_t first = 0; first < rowCount - 1; first += ForwardRowsJob::MaxRows) {
            job.rows = static_cast<int32_t>(std::min<int64_t>(ForwardRowsJob::MaxRows, rowCount - 1 - first));
            for (int32_t row = 0; row < job.rows; ++row) {
                job.patternInputs[row] = inputRows + static_cast<size_t>(first + row) * width;
                job.levels[row] = rowScratch->levels[row].data();
                job.sources[row] = rowScratch->sources[row].data();
                job.outputSlots[row] = rowScratch->slots[row].data();
            }
            kernels.forwardRows(job);
            for (int32_t row = 0; row < job.rows; ++row) {
                uint8_t* out = outputRows + static_cast<size_t>(first + row) * outputs;
                const uint8_t* slots = rowScratch->slots[row].data();
                for (size_t t = 0; t < outputs; ++t) {
                    out[t] = slots[outputs - 1 - t];
                }
            }
        }
    } else {
        // Bands too narrow for a vector: a pattern in each lane instead.
        const VectorKernels& kernels = KernelsOf(path);
        ForwardAcrossJob job{};
        for (size_t m = 0; m < 4; ++m) {
            job.weights[m] = neurons.weights[m];
        }
        job.inputs = rowScratch->acrossInputs.data();
        job.levels = rowScratch->acrossLevels.data();
        job.width = inputCount;
        job.neuronCount = neuronCount;
        job.outputs = outputCount;
        for (int64_t first = 0; first < rowCount - 1; first += kernels.lanes) {
            job.rows = static_cast<int32_t>(std::min<int64_t>(kernels.lanes, rowCount - 1 - first));
            job.inputRows = inputRows + static_cast<size_t>(first) * width;
            job.outputRows = outputRows + static_cast<size_t>(first) * outputs;
            kernels.forwardAcross(job);
        }
    }
    const auto last = static_cast<size_t>(rowCount - 1);
    std::memcpy(inputLevels, inputRows + last * width, width);
    Forward();
    std::memcpy(outputRows + last * outputs, outputLevels, outputs);
}
