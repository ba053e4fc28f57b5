#pragma once

// The vector primitives of kernels that work on 8 neurons at a time (vector_kernel_body.h lists
// them), for AVX2; compiled also with AVX-512VL (vector_kernels_avx512_narrow.cpp), where some take
// the shorter forms that it offers. Included by one translation unit per instruction set, inside
// nothing: everything here has internal linkage.
#include <immintrin.h>

#include <cstdint>

#include "engine/kernel_tables.h"

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

template <int Shift>
inline VUint MultiplyConstantShift(VUint value, uint32_t multiplier)
{
    const __m256i factor = _mm256_set1_epi32(static_cast<int>(multiplier));
    const __m256i even = _mm256_srli_epi64(_mm256_mul_epu32((__m256i)value, factor), Shift);
    const __m256i oddProduct = _mm256_mul_epu32(_mm256_srli_epi64((__m256i)value, 32), factor);
    // The odd lanes' results go to the high dwords.
    const __m256i odd = Shift >= 32 ? _mm256_srli_epi64(oddProduct, Shift >= 32 ? Shift - 32 : 0)
                                    : _mm256_slli_epi64(oddProduct, Shift < 32 ? 32 - Shift : 0);
    return (VUint)_mm256_blend_epi32(even, odd, 0xAA);
}

inline bool AnyLane(VInt mask)
{
    return _mm256_testz_si256((__m256i)mask, (__m256i)mask) == 0;
}

inline uint32_t LargestLane(VUint values)
{
    __m128i largest = _mm_max_epu32(_mm256_castsi256_si128((__m256i)values), _mm256_extracti128_si256((__m256i)values, 1));
    largest = _mm_max_epu32(largest, _mm_shuffle_epi32(largest, _MM_SHUFFLE(1, 0, 3, 2)));
    largest = _mm_max_epu32(largest, _mm_shuffle_epi32(largest, _MM_SHUFFLE(2, 3, 0, 1)));
    return static_cast<uint32_t>(_mm_cvtsi128_si32(largest));
}

inline int32_t SumOfLanes(VInt values)
{
    __m128i sum = _mm_add_epi32(_mm256_castsi256_si128((__m256i)values), _mm256_extracti128_si256((__m256i)values, 1));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(1, 0, 3, 2)));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtsi128_si32(sum);
}

inline VUint Magnitude(VInt value)
{
    return (VUint)_mm256_abs_epi32((__m256i)value);
}

inline VUint SmallerUnsigned(VUint a, VUint b)
{
    return (VUint)_mm256_min_epu32((__m256i)a, (__m256i)b);
}

inline VInt WithSignOf(VUint magnitude, VInt sign)
{
    return (VInt)_mm256_sign_epi32((__m256i)magnitude, (__m256i)sign);
}

inline void GatherLevelEntries(VInt level, uint64_t* at)
{
    const long long* table = reinterpret_cast<const long long*>(KernelLevelEntries);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(at),
                        _mm256_i32gather_epi64(table, _mm256_castsi256_si128((__m256i)level), 8));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(at + 4),
                        _mm256_i32gather_epi64(table, _mm256_extracti128_si256((__m256i)level, 1), 8));
}

inline void LoadLevelEntries(const uint64_t* at, VUint& width, VUint& multiplier, VUint& shift)
{
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 4));
    // Each entry's low dword to the lower half of its vector and its high dword to the upper.
    const __m256i split = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    const __m256i lowSplit = _mm256_permutevar8x32_epi32(low, split);
    const __m256i highSplit = _mm256_permutevar8x32_epi32(high, split);
    const VUint fields = (VUint)_mm256_permute2x128_si256(lowSplit, highSplit, 0x20);
    multiplier = (VUint)_mm256_permute2x128_si256(lowSplit, highSplit, 0x31);
    width = fields & 0xFFFFu;
    shift = fields >> 16;
}

// Lane L takes word 5 * (7 - L) + k of the 40 draws.
inline VInt ClassicDraws(const uint16_t* draws, int k)
{
#if defined(__AVX512VL__) && defined(__AVX512BW__)
    // Picked from the first 32 words with one permutation and from the next 16 with another.
    const __m128i picks = _mm_add_epi16(_mm_setr_epi16(35, 30, 25, 20, 15, 10, 5, 0), _mm_set1_epi16(static_cast<short>(k)));
    const __m256i wide = _mm256_castsi128_si256(picks);
    const __m256i fromLow = _mm256_permutex2var_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(draws)), wide,
                                                      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(draws + 16)));
    const __m256i fromHigh = _mm256_permutexvar_epi16(_mm256_sub_epi16(wide, _mm256_set1_epi16(32)),
                                                      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(draws + 32)));
    const __m128i chosen =
        _mm_mask_blend_epi16(_mm_cmpge_epu16_mask(picks, _mm_set1_epi16(32)), _mm256_castsi256_si128(fromLow),
                             _mm256_castsi256_si128(fromHigh));
    return (VInt)_mm256_cvtepu16_epi32(chosen);
#else
    return VInt{draws[35 + k], draws[30 + k], draws[25 + k], draws[20 + k],
                draws[15 + k], draws[10 + k], draws[5 + k],  draws[k]};
#endif
}

inline VInt Permute(VInt values, VInt index)
{
    return (VInt)_mm256_permutevar8x32_epi32((__m256i)values, (__m256i)index);
}

template <int Count>
inline VInt ShiftIn(VInt current, VInt previous)
{
    // Both turned by Count lanes, the first Count lanes from previous.
    const __m256i turn = _mm256_setr_epi32((8 - Count) % 8, (9 - Count) % 8, (10 - Count) % 8, (11 - Count) % 8,
                                           (12 - Count) % 8, (13 - Count) % 8, (14 - Count) % 8, (15 - Count) % 8);
    return (VInt)_mm256_blend_epi32(_mm256_permutevar8x32_epi32((__m256i)current, turn),
                                    _mm256_permutevar8x32_epi32((__m256i)previous, turn), (1 << Count) - 1);
}

inline VInt LoadBytes(const uint8_t* at)
{
    return (VInt)_mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(at)));
}

// Byte by byte, the sum and the difference held to 0..255.
inline VInt AddBytesSaturated(VInt a, VInt b)
{
    return (VInt)_mm256_adds_epu8((__m256i)a, (__m256i)b);
}

inline VInt SubtractBytesSaturated(VInt a, VInt b)
{
    return (VInt)_mm256_subs_epu8((__m256i)a, (__m256i)b);
}

inline void StoreBytes(uint8_t* at, VInt value)
{
#if defined(__AVX512VL__)
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), _mm256_cvtepi32_epi8((__m256i)value));
    return;
#endif
    // The low byte of each dword to the front of its 128-bit half, then both halves together.
    const __m256i lowBytes = _mm256_shuffle_epi8(
        (__m256i)value, _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 4, 8, 12, -1,
                                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1));
    const __m256i together = _mm256_permutevar8x32_epi32(lowBytes, _mm256_setr_epi32(0, 4, 1, 1, 1, 1, 1, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), _mm256_castsi256_si128(together));
}

inline VInt LoadWords(const uint16_t* at)
{
    return (VInt)_mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
}

inline uint32_t LaneBits(VInt mask)
{
    return static_cast<uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps((__m256i)mask)));
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
