#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "document/transformation_tables.h"

namespace {

// The table by a plain comparison sort: entry t is the value of rank t * n / 256.
std::array<double, TableLength> TableBySorting(std::vector<double> values)
{
    std::sort(values.begin(), values.end(), [](double a, double b) {
        return a == b ? std::signbit(a) && !std::signbit(b) : a < b;
    });
    std::array<double, TableLength> table{};
    for (size_t level = 0; level < TableLength; ++level)
        table[level] = values[level * values.size() / TableLength];
    return table;
}

// Values with repeats, both zeros, both signs, tiny and huge magnitudes.
std::vector<double> MixedValues(size_t n, std::mt19937_64& random)
{
    const double specials[] = {0.0, -0.0, 1.0, -1.0, 5e-324, -5e-324, 1e308, -1e308, 0.5};
    std::vector<double> values(n);
    for (double& value : values) {
        const uint64_t pick = random() % 4;
        value = pick == 0 ? specials[random() % 9]
              : pick == 1 ? static_cast<double>(random() % 7) - 3
                          : std::ldexp(static_cast<double>(random() % 1000000) - 500000, static_cast<int>(random() % 60) - 30);
    }
    return values;
}

}  // namespace

class TableSortTest : public testing::TestWithParam<size_t> {};

TEST_P(TableSortTest, TablesHoldTheRanksAComparisonSortGives)
{
    std::mt19937_64 random(GetParam());
    const std::vector<double> values = MixedValues(GetParam(), random);
    std::array<double, TableLength> table{};
    BuildTableFromColumn(values.data(), values.size(), table.data());
    // Compared as bits, so that -0 and 0 differ.
    using Bits = std::array<uint64_t, TableLength>;
    EXPECT_EQ(std::bit_cast<Bits>(table), std::bit_cast<Bits>(TableBySorting(values)));
}

INSTANTIATE_TEST_SUITE_P(Values, TableSortTest, testing::Values(1, 2, 3, 255, 256, 257, 1000, 70000),
                         testing::PrintToStringParamName());

TEST(TableSortTest, BisectionFindsTheLevelTheScanFinds)
{
    std::mt19937_64 random(5);
    const double infinity = std::numeric_limits<double>::infinity();
    for (int32_t trial = 0; trial < 40; ++trial) {
        // Sorted tables with runs of equal entries, entry 255 anywhere (it is never compared).
        std::vector<double> table = MixedValues(TableLength, random);
        std::sort(table.begin(), table.end());
        if (trial % 2 == 0)
            std::fill(table.begin() + trial, table.begin() + 3 * trial, table[static_cast<size_t>(trial)]);
        table.back() = trial % 3 == 0 ? -infinity : table.back();
        const TableQuantizer quantizer(table.data());
        std::vector<double> probes = {infinity, -infinity, std::nan(""), 0.0, -0.0};
        for (double entry : table)
            probes.insert(probes.end(), {entry, std::nextafter(entry, -infinity), std::nextafter(entry, infinity)});
        for (double value : probes)
            ASSERT_EQ(quantizer(value), QuantizeThroughTable(table.data(), value)) << trial << " " << value;
    }
}
