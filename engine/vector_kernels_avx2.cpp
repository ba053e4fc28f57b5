// The vector kernels for AVX2: 8 neurons at a time. Compiled with -mavx2; run only where
// IsEnginePathSupported(EnginePath::Avx2) holds.
#include "engine/vector_lanes8.h"

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

const VectorKernels Avx2Kernels = {Lanes, LevelEntriesUpToWidth, &ForwardPass, &ForwardRows, &ForwardAcross, &LearnChunks, 4, &GenerateLanes};
