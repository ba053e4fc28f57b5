#include <climits>
#include <vector>

#include "engine/stochastic_divide.h"
#include "tests/engine/engine_test_support.h"

namespace {

struct DivideCase {
    int64_t dividend;
    int32_t divisor;
    int32_t draw;
    int32_t expected;
};

using StochasticDivision = EngineTest;

TEST_F(StochasticDivision, ScriptedDrawsDecideTheRounding)
{
    const std::vector<DivideCase> cases = {
        // Zero and exact multiples never move.
        {0, 5, 0, 0}, {0, 5, 4, 0}, {6, 3, 0, 2}, {6, 3, 32767, 2}, {-6, 3, 0, -2},
        // The remainder 1 of 7 / 2 raises the quotient exactly when the draw is even.
        {7, 2, 0, 4}, {7, 2, 1, 3}, {7, 2, 32766, 4}, {7, 2, 32767, 3},
        // Negative dividends round away from zero like positive ones.
        {-7, 2, 0, -4}, {-7, 2, 1, -3}, {-50000, 569, 496, -88}, {-50000, 569, 497, -87},
        // The draw is reduced modulo the divisor first.
        {50000, 569, 496, 88}, {50000, 569, 497, 87}, {50000, 569, 569 + 496, 88}, {50000, 569, 569 + 497, 87},
        // Above 32768 the draw is its own remainder: small remainders raise with chance r / 32768,
        // remainders of 32768 or more always.
        {1, 163837500, 0, 1}, {1, 163837500, 1, 0}, {32767, 163837500, 32766, 1}, {32767, 163837500, 32767, 0},
        {32768, 163837500, 32767, 1}, {163837499, 163837500, 32767, 1}, {163837500, 163837500, 0, 1},
        {-32768, 163837500, 32767, -1}, {-163837499, 163837500, 32767, -1}, {-1, 163837500, 1, 0},
        {40000, 40000, 32767, 1}, {79999, 40000, 32767, 2},
        // The extremes of the 32-bit range.
        {INT32_MIN, 1, 0, INT32_MIN}, {INT32_MIN, 2, 0, -1073741824}, {INT32_MIN, 3, 0, -715827883},
        {INT32_MIN, 3, 2, -715827882}, {INT32_MAX, 1, 0, INT32_MAX}, {INT32_MAX, INT32_MAX, 32767, 1},
        {INT32_MIN, INT32_MAX, 0, -2}, {INT32_MIN, INT32_MAX, 1, -1},
    };
    for (const DivideCase& row : cases) {
        const auto dividend = static_cast<int32_t>(row.dividend);
        int32_t result = 0;
        EXPECT_EQ(CountDraws([&](RandomSource& draws) { result = StochasticDivide(dividend, row.divisor, draws); }, row.draw), 1);
        EXPECT_EQ(result, row.expected) << row.dividend << " / " << row.divisor << " draw " << row.draw;
        int32_t wideResult = 0;
        EXPECT_EQ(CountDraws([&](RandomSource& draws) { wideResult = StochasticDivide64(row.dividend, row.divisor, draws); }, row.draw), 1);
        EXPECT_EQ(wideResult, row.expected) << row.dividend << " / " << row.divisor << " draw " << row.draw;
    }
}

TEST_F(StochasticDivision, WideDividendsOfTheErrorMean)
{
    const std::vector<DivideCase> cases = {
        {int64_t{100000} * 65025, 100000, 32767, 65025},
        {int64_t{100000} * 65025 - 1, 100000, 32767, 65025},
        {int64_t{100000} * 65024 + 32768, 100000, 32767, 65025},
        {int64_t{100000} * 65024 + 32767, 100000, 32767, 65024},
        {int64_t{3} << 40, 1 << 20, 5, 3 << 20},
        {-(int64_t{3} << 40) - 1, 1 << 20, 0, -(3 << 20) - 1},
        {109, 2, 0, 55}, {109, 2, 1, 54},
    };
    for (const DivideCase& row : cases) {
        int32_t result = 0;
        EXPECT_EQ(CountDraws([&](RandomSource& draws) { result = StochasticDivide64(row.dividend, row.divisor, draws); }, row.draw), 1);
        EXPECT_EQ(result, row.expected) << row.dividend << " / " << row.divisor << " draw " << row.draw;
    }
}

// Over all 32768 draws, the number that raise the quotient is exact: r * 32768 / d for a
// power-of-two divisor, the remainder itself for a divisor above 32768.
TEST_F(StochasticDivision, RaisingFrequencyOverEveryDraw)
{
    struct FrequencyCase {
        int32_t dividend;
        int32_t divisor;
        int32_t raising;
    };
    const std::vector<FrequencyCase> cases = {
        {1, 2, 16384}, {3, 4, 24576}, {-5, 8, 20480}, {1000, 1024, 32000}, {32767, 32768, 32767},
        {1, 163837500, 1}, {12345, 163837500, 12345}, {-32767, 163837500, 32767}, {32768, 163837500, 32768},
        {163837499, 163837500, 32768},
    };
    for (const FrequencyCase& row : cases) {
        const int32_t truncated = row.dividend / row.divisor;
        // Every draw once, in order.
        ScriptedDraws everyDraw([draw = 0]() mutable { return draw++ & RandomSource::Max; });
        int32_t raising = 0;
        for (int32_t draw = 0; draw <= RandomSource::Max; ++draw) {
            const int32_t result = StochasticDivide(row.dividend, row.divisor, everyDraw.Source());
            ASSERT_TRUE(result == truncated || result == truncated + (row.dividend > 0 ? 1 : -1)) << result;
            raising += result != truncated ? 1 : 0;
        }
        EXPECT_EQ(raising, row.raising) << row.dividend << " / " << row.divisor;
    }
}

} // namespace
