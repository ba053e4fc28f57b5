#include "engine/vector_kernels.h"

#if !defined(CORVINA_VECTOR_PATHS)
// Without the vector translation units no path but the scalar one is ever supported, and these
// are never called.
const VectorKernels Avx2Kernels = {8, 0, nullptr, nullptr, nullptr, nullptr, 4, nullptr};
const VectorKernels Avx512Kernels = {16, 0, nullptr, nullptr, nullptr, nullptr, 8, nullptr};
const VectorKernels Avx512NarrowKernels = {8, 0, nullptr, nullptr, nullptr, nullptr, 0, nullptr};
#endif

const VectorKernels& KernelsOf(EnginePath path)
{
    return path == EnginePath::Avx512 ? Avx512Kernels : Avx2Kernels;
}

void NarrowTurns(int32_t width, int32_t lanes, int32_t* turns)
{
    constexpr int32_t Turns[5] = {0, 1, 2, -1, -2};
    for (int32_t k = 0; k < 5; ++k) {
        for (int32_t lane = 0; lane < lanes; ++lane) {
            turns[k * lanes + lane] = lane < width ? ((lane + Turns[k]) % width + width) % width : lane;
        }
    }
    for (int32_t lane = 0; lane < lanes; ++lane) {
        turns[5 * lanes + lane] = lane >= width ? lane - width : lane;
    }
}
