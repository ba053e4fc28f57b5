// The vector kernels for AVX-512: 16 neurons at a time. Compiled with -mavx512f -mavx512bw
// -mavx512dq -mavx512vl; run only where IsEnginePathSupported(EnginePath::Avx512) holds.
#include <immintrin.h>

#include <cstdint>

namespace {

constexpr int Lanes = 16;
typedef int32_t VInt __attribute__((vector_size(64)));
typedef uint32_t VUint __attribute__((vector_size(64)));
typedef double VHalfDouble __attribute__((vector_size(64)));

inline VUint Gather(const uint32_t* table, VUint index)
{
    return (VUint)_mm512_i32gather_epi32((__m512i)index, table, 4);
}

inline VUint MultiplyShift(VUint value, VUint multiplier, VUint shift)
{
    const __m512i lowDwords = _mm512_set1_epi64(0xFFFFFFFF);
    const __m512i even = _mm512_srlv_epi64(_mm512_mul_epu32((__m512i)value, (__m512i)multiplier),
                                           _mm512_and_si512((__m512i)shift, lowDwords));
    const __m512i odd = _mm512_srlv_epi64(
        _mm512_mul_epu32(_mm512_srli_epi64((__m512i)value, 32), _mm512_srli_epi64((__m512i)multiplier, 32)),
        _mm512_srli_epi64((__m512i)shift, 32));
    return (VUint)_mm512_mask_blend_epi32(0xAAAA, even, _mm512_slli_epi64(odd, 32));
}

inline bool AnyLane(VInt mask)
{
    return _mm512_test_epi32_mask((__m512i)mask, (__m512i)mask) != 0;
}

// Lane L takes word 5 * (15 - L) + k of the 80 draws, for draw k of its neuron: picked from the
// first 64 words with one permutation and from the last 16 with another.
inline __m512i SortedWords(__m512i low, __m512i middle, __m512i high, int k)
{
    alignas(64) uint16_t index[32] = {};
    for (int lane = 0; lane < Lanes; ++lane) {
        index[lane] = static_cast<uint16_t>(5 * (15 - lane) + k);
    }
    const __m512i picks = _mm512_load_si512(index);
    const __m512i fromLow = _mm512_permutex2var_epi16(low, picks, middle);
    const __m512i fromHigh = _mm512_permutexvar_epi16(_mm512_sub_epi16(picks, _mm512_set1_epi16(64)), high);
    const __mmask32 beyond = _mm512_cmpge_epu16_mask(picks, _mm512_set1_epi16(64));
    return _mm512_cvtepu16_epi32(_mm512_castsi512_si256(_mm512_mask_blend_epi16(beyond, fromLow, fromHigh)));
}

inline void SortClassicVector(const uint16_t* draws, uint32_t* delta, uint32_t* const* step, int32_t p)
{
    const __m512i low = _mm512_loadu_si512(draws);
    const __m512i middle = _mm512_loadu_si512(draws + 32);
    const __m512i high = _mm512_loadu_si512(draws + 64);
    _mm512_storeu_si512(delta, SortedWords(low, middle, high, 0));
    for (int m = 0; m < 4; ++m) {
        _mm512_storeu_si512(step[m] + p, SortedWords(low, middle, high, 1 + m));
    }
}

inline VInt LoadBytes(const uint8_t* at)
{
    return (VInt)_mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
}

inline void StoreBytes(uint8_t* at, VInt value)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), _mm512_cvtepi32_epi8((__m512i)value));
}

inline VHalfDouble LowHalf(VInt value)
{
    return (VHalfDouble)_mm512_cvtepi32_pd(_mm512_castsi512_si256((__m512i)value));
}

inline VHalfDouble HighHalf(VInt value)
{
    return (VHalfDouble)_mm512_cvtepi32_pd(_mm512_extracti64x4_epi64((__m512i)value, 1));
}

inline VInt IntegersOf(VHalfDouble low, VHalfDouble high)
{
    return (VInt)_mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvttpd_epi32((__m512d)low)),
                                    _mm512_cvttpd_epi32((__m512d)high), 1);
}

inline VHalfDouble Floor(VHalfDouble value)
{
    return (VHalfDouble)_mm512_roundscale_pd((__m512d)value, _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
}

} // namespace

#include "engine/vector_kernel_body.h"

const VectorKernels Avx512Kernels = {Lanes, &ForwardBand, &LearnChunk, &SortClassicDraws, &MaxMagnitude, &AddContributions};
