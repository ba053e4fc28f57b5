// The vector kernels for AVX2: 8 neurons at a time. Compiled with -mavx2; run only where
// IsEnginePathSupported(EnginePath::Avx2) holds.
#include <immintrin.h>

#include <cstdint>

namespace {

constexpr int Lanes = 8;
typedef int32_t VInt __attribute__((vector_size(32)));
typedef uint32_t VUint __attribute__((vector_size(32)));
typedef double VHalfDouble __attribute__((vector_size(32)));

inline VUint Gather(const uint32_t* table, VUint index)
{
    return (VUint)_mm256_i32gather_epi32(reinterpret_cast<const int*>(table), (__m256i)index, 4);
}

inline VUint MultiplyShift(VUint value, VUint multiplier, VUint shift)
{
    const __m256i lowDwords = _mm256_set1_epi64x(0xFFFFFFFF);
    const __m256i even = _mm256_srlv_epi64(_mm256_mul_epu32((__m256i)value, (__m256i)multiplier),
                                           _mm256_and_si256((__m256i)shift, lowDwords));
    const __m256i odd = _mm256_srlv_epi64(
        _mm256_mul_epu32(_mm256_srli_epi64((__m256i)value, 32), _mm256_srli_epi64((__m256i)multiplier, 32)),
        _mm256_srli_epi64((__m256i)shift, 32));
    return (VUint)_mm256_blend_epi32(even, _mm256_slli_epi64(odd, 32), 0xAA);
}

inline bool AnyLane(VInt mask)
{
    return _mm256_testz_si256((__m256i)mask, (__m256i)mask) == 0;
}

inline void SortClassicVector(const uint16_t* draws, uint32_t* delta, uint32_t* const* step, int32_t p)
{
    for (int lane = 0; lane < Lanes; ++lane) {
        const uint16_t* drawn = draws + 5 * (Lanes - 1 - lane);
        delta[lane] = drawn[0];
        for (int m = 0; m < 4; ++m) {
            step[m][p + lane] = drawn[1 + m];
        }
    }
}

inline VInt LoadBytes(const uint8_t* at)
{
    return (VInt)_mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(at)));
}

inline void StoreBytes(uint8_t* at, VInt value)
{
    // The low byte of each dword to the front of its 128-bit half, then both halves together.
    const __m256i lowBytes = _mm256_shuffle_epi8(
        (__m256i)value, _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 4, 8, 12, -1,
                                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1));
    const __m256i together = _mm256_permutevar8x32_epi32(lowBytes, _mm256_setr_epi32(0, 4, 1, 1, 1, 1, 1, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), _mm256_castsi256_si128(together));
}

inline VHalfDouble LowHalf(VInt value)
{
    return (VHalfDouble)_mm256_cvtepi32_pd(_mm256_castsi256_si128((__m256i)value));
}

inline VHalfDouble HighHalf(VInt value)
{
    return (VHalfDouble)_mm256_cvtepi32_pd(_mm256_extracti128_si256((__m256i)value, 1));
}

inline VInt IntegersOf(VHalfDouble low, VHalfDouble high)
{
    return (VInt)_mm256_set_m128i(_mm256_cvttpd_epi32((__m256d)high), _mm256_cvttpd_epi32((__m256d)low));
}

inline VHalfDouble Floor(VHalfDouble value)
{
    return (VHalfDouble)_mm256_floor_pd((__m256d)value);
}

} // namespace

#include "engine/vector_kernel_body.h"

const VectorKernels Avx2Kernels = {Lanes, &ForwardBand, &LearnChunk, &SortClassicDraws, &MaxMagnitude, &AddContributions};
