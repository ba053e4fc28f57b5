// The vector kernels for bands of up to 8 neurons on the AVX-512 path: the AVX2 kernels' 8 lanes,
// compiled with -mavx512f -mavx512bw -mavx512dq -mavx512vl -mavx512vbmi for the shorter forms that
// AVX-512VL gives them. Run only where IsEnginePathSupported(EnginePath::Avx512) holds.
#include "engine/vector_lanes8.h"

#include "engine/vector_kernel_body.h"

// The generator of the AVX-512 path runs in Avx512Kernels.
const VectorKernels Avx512NarrowKernels = {Lanes, LevelEntriesUpToWidth, &ForwardPass, &ForwardRows, &ForwardAcross, &LearnChunks, 0, nullptr};
