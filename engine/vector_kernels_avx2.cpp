// The vector kernels for AVX2: 8 neurons at a time. Compiled with -mavx2; run only where
// IsEnginePathSupported(EnginePath::Avx2) holds.
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

inline void LevelEntries(VInt level, VUint& width, VUint& multiplier, VUint& shift)
{
    const long long* table = reinterpret_cast<const long long*>(KernelLevelEntries);
    const __m256i low = _mm256_i32gather_epi64(table, _mm256_castsi256_si128((__m256i)level), 8);
    const __m256i high = _mm256_i32gather_epi64(table, _mm256_extracti128_si256((__m256i)level, 1), 8);
    // Each entry's low dword to the lower half of its vector and its high dword to the upper.
    const __m256i split = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    const __m256i lowSplit = _mm256_permutevar8x32_epi32(low, split);
    const __m256i highSplit = _mm256_permutevar8x32_epi32(high, split);
    const VUint fields = (VUint)_mm256_permute2x128_si256(lowSplit, highSplit, 0x20);
    multiplier = (VUint)_mm256_permute2x128_si256(lowSplit, highSplit, 0x31);
    width = fields & 0xFFFFu;
    shift = fields >> 16;
}

inline VInt ClassicDraws(const uint16_t* draws, int k)
{
    return VInt{draws[35 + k], draws[30 + k], draws[25 + k], draws[20 + k],
                draws[15 + k], draws[10 + k], draws[5 + k],  draws[k]};
}

inline VInt Permute(VInt values, VInt index)
{
    return (VInt)_mm256_permutevar8x32_epi32((__m256i)values, (__m256i)index);
}

inline VInt Lookup16(const uint32_t* table, VInt index)
{
    const __m256i low = _mm256_permutevar8x32_epi32(_mm256_load_si256(reinterpret_cast<const __m256i*>(table)), (__m256i)index);
    const __m256i high =
        _mm256_permutevar8x32_epi32(_mm256_load_si256(reinterpret_cast<const __m256i*>(table + 8)), (__m256i)index);
    return (VInt)_mm256_blendv_epi8(low, high, _mm256_cmpgt_epi32((__m256i)index, _mm256_set1_epi32(7)));
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

inline void StoreBytes(uint8_t* at, VInt value)
{
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

#include "engine/vector_kernel_body.h"
#include "engine/xoshiro_lanes.h"

namespace {

// Four lanes of the generator, one per 64-bit element; every 4 steps the 4 x 4 outputs are
// transposed so that each lane's 4 consecutive outputs are stored together.
inline __m256i RotateLeft(__m256i x, int bits)
{
    return _mm256_or_si256(_mm256_slli_epi64(x, bits), _mm256_srli_epi64(x, 64 - bits));
}

inline __m256i CutDrawVector(__m256i bits)
{
    const __m256i field0 = _mm256_and_si256(_mm256_srli_epi64(bits, 4), _mm256_set1_epi64x(0x7FFF));
    const __m256i field1 = _mm256_and_si256(_mm256_srli_epi64(bits, 3), _mm256_set1_epi64x(0x7FFFll << 16));
    const __m256i field2 = _mm256_and_si256(_mm256_srli_epi64(bits, 2), _mm256_set1_epi64x(0x7FFFll << 32));
    const __m256i field3 = _mm256_and_si256(_mm256_srli_epi64(bits, 1), _mm256_set1_epi64x(0x7FFFll << 48));
    return _mm256_or_si256(_mm256_or_si256(field0, field1), _mm256_or_si256(field2, field3));
}

void GenerateLanes(uint64_t (*states)[4], uint16_t* out)
{
    const auto lane = [states](int word) {
        return _mm256_setr_epi64x(static_cast<long long>(states[0][word]), static_cast<long long>(states[1][word]),
                                  static_cast<long long>(states[2][word]), static_cast<long long>(states[3][word]));
    };
    __m256i s0 = lane(0);
    __m256i s1 = lane(1);
    __m256i s2 = lane(2);
    __m256i s3 = lane(3);
    for (size_t step = 0; step < LaneOutputs; step += 4) {
        __m256i rows[4];
        for (__m256i& row : rows) {
            const __m256i turned = RotateLeft(_mm256_add_epi64(s1, _mm256_slli_epi64(s1, 2)), 7);
            row = CutDrawVector(_mm256_add_epi64(turned, _mm256_slli_epi64(turned, 3)));
            const __m256i t = _mm256_slli_epi64(s1, 17);
            s2 = _mm256_xor_si256(s2, s0);
            s3 = _mm256_xor_si256(s3, s1);
            s1 = _mm256_xor_si256(s1, s2);
            s0 = _mm256_xor_si256(s0, s3);
            s2 = _mm256_xor_si256(s2, t);
            s3 = RotateLeft(s3, 45);
        }
        const __m256i low01 = _mm256_unpacklo_epi64(rows[0], rows[1]);
        const __m256i high01 = _mm256_unpackhi_epi64(rows[0], rows[1]);
        const __m256i low23 = _mm256_unpacklo_epi64(rows[2], rows[3]);
        const __m256i high23 = _mm256_unpackhi_epi64(rows[2], rows[3]);
        const __m256i lanes[4] = {_mm256_permute2x128_si256(low01, low23, 0x20), _mm256_permute2x128_si256(high01, high23, 0x20),
                                  _mm256_permute2x128_si256(low01, low23, 0x31), _mm256_permute2x128_si256(high01, high23, 0x31)};
        for (size_t k = 0; k < 4; ++k) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 4 * (k * LaneOutputs + step)), lanes[k]);
        }
    }
    alignas(32) uint64_t words[4][4];
    _mm256_store_si256(reinterpret_cast<__m256i*>(words[0]), s0);
    _mm256_store_si256(reinterpret_cast<__m256i*>(words[1]), s1);
    _mm256_store_si256(reinterpret_cast<__m256i*>(words[2]), s2);
    _mm256_store_si256(reinterpret_cast<__m256i*>(words[3]), s3);
    for (size_t k = 0; k < 4; ++k) {
        for (size_t word = 0; word < 4; ++word) {
            states[k][word] = words[word][k];
        }
    }
}

} // namespace

const VectorKernels Avx2Kernels = {Lanes, &ForwardPass, &ForwardRows, &ForwardAcross, &LearnChunks, 4, &GenerateLanes};
