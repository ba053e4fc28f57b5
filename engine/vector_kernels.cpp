#include "engine/vector_kernels.h"

#if !defined(CORVINA_VECTOR_PATHS)
// Without the vector translation units no path but the scalar one is ever supported, and these
// are never called.
const VectorKernels Avx2Kernels = {8, nullptr, nullptr, nullptr, nullptr, 4, nullptr};
const VectorKernels Avx512Kernels = {16, nullptr, nullptr, nullptr, nullptr, 8, nullptr};
#endif

const VectorKernels& KernelsOf(EnginePath path)
{
    return path == EnginePath::Avx512 ? Avx512Kernels : Avx2Kernels;
}
