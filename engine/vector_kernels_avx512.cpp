// The vector kernels for AVX-512: 16 neurons at a time. Compiled with -mavx512f -mavx512bw
// -mavx512dq -mavx512vl -mavx512vbmi; run only where IsEnginePathSupported(EnginePath::Avx512)
// holds.
#include <immintrin.h>

#include <cstdint>

#include "engine/kernel_tables.h"

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

template <int Shift>
inline VUint MultiplyConstantShift(VUint value, uint32_t multiplier)
{
    const __m512i factor = _mm512_set1_epi32(static_cast<int>(multiplier));
    const __m512i even = _mm512_srli_epi64(_mm512_mul_epu32((__m512i)value, factor), Shift);
    const __m512i oddProduct = _mm512_mul_epu32(_mm512_srli_epi64((__m512i)value, 32), factor);
    // The odd lanes' results go to the high dwords.
    const __m512i odd = Shift >= 32 ? _mm512_srli_epi64(oddProduct, Shift >= 32 ? Shift - 32 : 0)
                                    : _mm512_slli_epi64(oddProduct, Shift < 32 ? 32 - Shift : 0);
    return (VUint)_mm512_mask_blend_epi32(0xAAAA, even, odd);
}

inline bool AnyLane(VInt mask)
{
    return _mm512_test_epi32_mask((__m512i)mask, (__m512i)mask) != 0;
}

inline uint32_t LargestLane(VUint values)
{
    return _mm512_reduce_max_epu32((__m512i)values);
}

inline int32_t SumOfLanes(VInt values)
{
    return _mm512_reduce_add_epi32((__m512i)values);
}

inline VUint Magnitude(VInt value)
{
    return (VUint)_mm512_abs_epi32((__m512i)value);
}

inline VUint SmallerUnsigned(VUint a, VUint b)
{
    return (VUint)_mm512_min_epu32((__m512i)a, (__m512i)b);
}

inline VInt WithSignOf(VUint magnitude, VInt sign)
{
    const __m512i value = (__m512i)magnitude;
    return (VInt)_mm512_mask_sub_epi32(value, _mm512_movepi32_mask((__m512i)sign), _mm512_setzero_si512(), value);
}

inline void GatherLevelEntries(VInt level, uint64_t* at)
{
    const long long* table = reinterpret_cast<const long long*>(KernelLevelEntries);
    _mm512_storeu_si512(at, _mm512_i32gather_epi64(_mm512_castsi512_si256((__m512i)level), table, 8));
    _mm512_storeu_si512(at + 8, _mm512_i32gather_epi64(_mm512_extracti64x4_epi64((__m512i)level, 1), table, 8));
}

inline void LoadLevelEntries(const uint64_t* at, VUint& width, VUint& multiplier, VUint& shift)
{
    const __m512i low = _mm512_loadu_si512(at);
    const __m512i high = _mm512_loadu_si512(at + 8);
    const __m512i evens = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    const VUint fields = (VUint)_mm512_permutex2var_epi32(low, evens, high);
    multiplier = (VUint)_mm512_permutex2var_epi32(low, _mm512_add_epi32(evens, _mm512_set1_epi32(1)), high);
    width = fields & 0xFFFFu;
    shift = fields >> 16;
}

// Lane L takes word 5 * (15 - L) + k of the 80 draws: picked from the first 64 words with one
// permutation and from the last 16 with another.
struct ClassicPicks {
    alignas(64) uint16_t index[5][32];
};

constexpr ClassicPicks MakeClassicPicks()
{
    ClassicPicks picks{};
    for (int k = 0; k < 5; ++k) {
        for (int lane = 0; lane < Lanes; ++lane) {
            picks.index[k][lane] = static_cast<uint16_t>(5 * (15 - lane) + k);
        }
    }
    return picks;
}

constexpr ClassicPicks Picks = MakeClassicPicks();

inline VInt ClassicDraws(const uint16_t* draws, int k)
{
    const __m512i picks = _mm512_load_si512(Picks.index[k]);
    const __m512i fromLow = _mm512_permutex2var_epi16(_mm512_loadu_si512(draws), picks, _mm512_loadu_si512(draws + 32));
    const __m512i fromHigh =
        _mm512_permutexvar_epi16(_mm512_sub_epi16(picks, _mm512_set1_epi16(64)), _mm512_loadu_si512(draws + 64));
    const __mmask32 beyond = _mm512_cmpge_epu16_mask(picks, _mm512_set1_epi16(64));
    return (VInt)_mm512_cvtepu16_epi32(_mm512_castsi512_si256(_mm512_mask_blend_epi16(beyond, fromLow, fromHigh)));
}

inline VInt Permute(VInt values, VInt index)
{
    return (VInt)_mm512_permutexvar_epi32((__m512i)index, (__m512i)values);
}

template <int Count>
inline VInt ShiftIn(VInt current, VInt previous)
{
    return (VInt)_mm512_alignr_epi32((__m512i)current, (__m512i)previous, Lanes - Count);
}

inline VInt LoadBytes(const uint8_t* at)
{
    return (VInt)_mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
}

// The level widths and the divisions by them come without the level entries: the 256 widths fit
// eight vectors, and double division is exact here (DivideByWidths), and quick on these
// processors.
#define CORVINA_DIVIDES_BY_WIDTHS 1

// Each lane's level width (KernelLevelWidths), picked in registers: vpermt2w picks from 64 of the
// widths, and bits 6 and 7 of the level choose which 64.
inline VUint LevelWidths(VInt level)
{
    const __m512i index = (__m512i)level;
    const auto* table = reinterpret_cast<const __m512i*>(KernelLevelWidths);
    __m512i quarters[4];
    for (int k = 0; k < 4; ++k) {
        quarters[k] = _mm512_permutex2var_epi16(_mm512_load_si512(table + 2 * k), index, _mm512_load_si512(table + 2 * k + 1));
    }
    const __mmask32 bit6 = _mm512_test_epi16_mask(index, _mm512_set1_epi16(64));
    const __mmask32 bit7 = _mm512_test_epi16_mask(index, _mm512_set1_epi16(128));
    const __m512i low = _mm512_mask_blend_epi16(bit6, quarters[0], quarters[1]);
    const __m512i high = _mm512_mask_blend_epi16(bit6, quarters[2], quarters[3]);
    // The high word of each lane picked width 0: cleared.
    return (VUint)_mm512_and_si512(_mm512_mask_blend_epi16(bit7, low, high), _mm512_set1_epi32(0xFFFF));
}

// value div width, for values below 2^32 and widths of 1..65535, by dividing the halves as
// doubles: the quotient is correctly rounded, within 2^-21 of the true one, and a true quotient
// that is not an integer lies at least 1 / width (2^-16) below the next, so that truncating the
// rounded quotient gives the integer quotient.
inline VUint DivideByWidths(VUint value, __m512d widthLow, __m512d widthHigh)
{
    const __m512d low = _mm512_div_pd(_mm512_cvtepu32_pd(_mm512_castsi512_si256((__m512i)value)), widthLow);
    const __m512d high = _mm512_div_pd(_mm512_cvtepu32_pd(_mm512_extracti64x4_epi64((__m512i)value, 1)), widthHigh);
    return (VUint)_mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvttpd_epu32(low)), _mm512_cvttpd_epu32(high), 1);
}

// The quotients of dividend and draw by width (of 1..65535 each).
inline void DivideTwoByWidths(VUint dividend, VUint draw, VUint width, VUint& quotient, VUint& drawQuotient)
{
    const __m512d widthLow = _mm512_cvtepu32_pd(_mm512_castsi512_si256((__m512i)width));
    const __m512d widthHigh = _mm512_cvtepu32_pd(_mm512_extracti64x4_epi64((__m512i)width, 1));
    quotient = DivideByWidths(dividend, widthLow, widthHigh);
    drawQuotient = DivideByWidths(draw, widthLow, widthHigh);
}

// Byte by byte, the sum and the difference held to 0..255.
inline VInt AddBytesSaturated(VInt a, VInt b)
{
    return (VInt)_mm512_adds_epu8((__m512i)a, (__m512i)b);
}

inline VInt SubtractBytesSaturated(VInt a, VInt b)
{
    return (VInt)_mm512_subs_epu8((__m512i)a, (__m512i)b);
}

inline void StoreBytes(uint8_t* at, VInt value)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), _mm512_cvtepi32_epi8((__m512i)value));
}

inline VInt LoadWords(const uint16_t* at)
{
    return (VInt)_mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)));
}

inline uint32_t LaneBits(VInt mask)
{
    return _mm512_test_epi32_mask((__m512i)mask, (__m512i)mask);
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
#include "engine/xoshiro_lanes.h"

namespace {

// Eight lanes of the generator, one per 64-bit element; every 8 steps the 8 x 8 outputs are
// transposed so that each lane's 8 consecutive outputs are stored together.
// Draw k of an output is bits 4 + 15k .. 18 + 15k: its slot's low byte starts at bit 4 + 15k and
// its high byte 8 bits later; the byte-wise multishift picks both, the mask drops the 16th bit.
inline __m512i CutDrawVector(__m512i bits)
{
    const __m512i starts = _mm512_set1_epi64(0x39312A221B130C04ll);
    return _mm512_and_si512(_mm512_multishift_epi64_epi8(starts, bits), _mm512_set1_epi16(0x7FFF));
}

void GenerateLanes(uint64_t (*states)[4], uint16_t* out)
{
    const __m512i laneIndex = _mm512_setr_epi64(0, 4, 8, 12, 16, 20, 24, 28);
    __m512i s0 = _mm512_i64gather_epi64(laneIndex, &states[0][0], 8);
    __m512i s1 = _mm512_i64gather_epi64(laneIndex, &states[0][1], 8);
    __m512i s2 = _mm512_i64gather_epi64(laneIndex, &states[0][2], 8);
    __m512i s3 = _mm512_i64gather_epi64(laneIndex, &states[0][3], 8);
    for (size_t step = 0; step < LaneOutputs; step += 8) {
        __m512i rows[8];
        for (__m512i& row : rows) {
            const __m512i rotated = _mm512_add_epi64(s1, _mm512_slli_epi64(s1, 2));
            const __m512i turned = _mm512_rol_epi64(rotated, 7);
            row = CutDrawVector(_mm512_add_epi64(turned, _mm512_slli_epi64(turned, 3)));
            // The generator's step with three-way exclusive ors (0x96), each new word from the old
            // ones: s2 ^= s0; s3 ^= s1; s1 ^= s2; s0 ^= s3; s2 ^= t; s3 = rol(s3, 45).
            const __m512i t = _mm512_slli_epi64(s1, 17);
            const __m512i s3Mixed = _mm512_xor_si512(s3, s1);
            const __m512i s1Next = _mm512_ternarylogic_epi64(s1, s2, s0, 0x96);
            const __m512i s2Next = _mm512_ternarylogic_epi64(s2, s0, t, 0x96);
            s0 = _mm512_ternarylogic_epi64(s0, s3, s1, 0x96);
            s1 = s1Next;
            s2 = s2Next;
            s3 = _mm512_rol_epi64(s3Mixed, 45);
        }
        __m512i pairs[8];
        for (int k = 0; k < 4; ++k) {
            pairs[2 * k] = _mm512_unpacklo_epi64(rows[2 * k], rows[2 * k + 1]);
            pairs[2 * k + 1] = _mm512_unpackhi_epi64(rows[2 * k], rows[2 * k + 1]);
        }
        // pairs[0]: steps 0, 1 of lanes 0, 2, 4, 6 by 128-bit block; pairs[1] the odd lanes.
        for (int odd = 0; odd < 2; ++odd) {
            const __m512i even02 = _mm512_shuffle_i64x2(pairs[odd], pairs[2 + odd], 0x88);
            const __m512i odd02 = _mm512_shuffle_i64x2(pairs[odd], pairs[2 + odd], 0xDD);
            const __m512i even46 = _mm512_shuffle_i64x2(pairs[4 + odd], pairs[6 + odd], 0x88);
            const __m512i odd46 = _mm512_shuffle_i64x2(pairs[4 + odd], pairs[6 + odd], 0xDD);
            const __m512i lanes[4] = {_mm512_shuffle_i64x2(even02, even46, 0x88), _mm512_shuffle_i64x2(odd02, odd46, 0x88),
                                      _mm512_shuffle_i64x2(even02, even46, 0xDD), _mm512_shuffle_i64x2(odd02, odd46, 0xDD)};
            for (int k = 0; k < 4; ++k) {
                const size_t lane = static_cast<size_t>(2 * k + odd);
                _mm512_storeu_si512(out + 4 * (lane * LaneOutputs + step), lanes[k]);
            }
        }
    }
    _mm512_i64scatter_epi64(&states[0][0], laneIndex, s0, 8);
    _mm512_i64scatter_epi64(&states[0][1], laneIndex, s1, 8);
    _mm512_i64scatter_epi64(&states[0][2], laneIndex, s2, 8);
    _mm512_i64scatter_epi64(&states[0][3], laneIndex, s3, 8);
}

} // namespace

const VectorKernels Avx512Kernels = {Lanes, LevelEntriesUpToWidth, &ForwardPass, &ForwardRows, &ForwardAcross, &LearnChunks, 8, &GenerateLanes};
