#include "tests/document/document_fixture.h"

namespace {

TEST_F(DocumentTest, APassTrainsOnAPatternCountsAndSendsHintTwo)
{
    document.TrainPass();
    EXPECT_TRUE(hints.empty());
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.OnUpdateEraseTd());
    EXPECT_FALSE(document.OnUpdateTrain(false));

    // With every weight zero the outputs do not depend on the inputs: a pattern whose targets
    // are those outputs makes no error, one that misses them does.
    const std::vector<double> outputs = document.Model().Consult(std::vector<double>(4, 0.0));
    const auto pattern = [&](double firstTarget) {
        return "10 20 30 40 " + std::to_string(firstTarget) + ' ' + std::to_string(outputs[1]);
    };
    Import(pattern(outputs[0]));
    EXPECT_TRUE(document.OnUpdateEraseTd());
    EXPECT_TRUE(document.OnUpdateTrain(false));
    EXPECT_FALSE(document.OnUpdateTrain(true));
    hints.clear();
    document.TrainPass();
    EXPECT_EQ(document.Model().GetErrorHistory().GetEntry(0), 0);
    EXPECT_EQ(document.GetPassesCount(), 1u);
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::TrainingPass});
    EXPECT_TRUE(document.IsModified());
    // The pass set the pattern's inputs.
    const uint8_t* levels = document.Model().GetPatternBuffer().GetInputLevels();
    EXPECT_EQ(std::vector<uint8_t>(levels, levels + 4), (std::vector<uint8_t>{10, 20, 30, 40}));

    Import(pattern(static_cast<int32_t>(outputs[0] + 128) % 256));
    document.Model().RestoreStatistics(UINT32_MAX, 10922);
    document.TrainPass();
    EXPECT_GT(document.Model().GetErrorHistory().GetEntry(0), 0);
    EXPECT_EQ(document.GetPassesCount(), 0u);
}

// How many patterns there are, the draws the source gives, and the pattern drawn.
struct DrawRow {
    const char* name;
    int32_t count;
    std::vector<int32_t> draws;
    int32_t drawn;
};
PRINTS_AS_NAME(DrawRow)

class PatternDrawTest : public DocumentTest, public testing::WithParamInterface<DrawRow> {};

// Up to 32768 patterns one draw is taken modulo the count; beyond, two draws make a 30-bit
// number, drawn again when it falls in the range that would favour the first patterns.
TEST_P(PatternDrawTest, TheDrawReachesEveryPattern)
{
    const DrawRow& row = GetParam();
    std::string data;
    for (int32_t i = 0; i < row.count; ++i)
        data += std::to_string(i % 256) + " " + std::to_string(i / 256) + " 0 0 0 0\n";
    Import(data);
    ASSERT_EQ(document.GetPatternsCount(), row.count);
    // The row's draws, then zeros.
    std::vector<int32_t> script = row.draws;
    document.Model().Random() = RandomSource(
        [](void* context, uint16_t* draws, size_t count) {
            auto& values = *static_cast<std::vector<int32_t>*>(context);
            for (size_t k = 0; k < count; ++k)
                draws[k] = static_cast<uint16_t>(k < values.size() ? values[k] : 0);
            values.clear();
        },
        &script);
    document.TrainPass();
    const uint8_t* levels = document.Model().GetPatternBuffer().GetInputLevels();
    EXPECT_EQ(levels[0] + 256 * levels[1], row.drawn);
}

INSTANTIATE_TEST_SUITE_P(Counts, PatternDrawTest,
                         testing::Values(DrawRow{"Three", 3, {32767}, 1}, DrawRow{"OneDrawWide", 32768, {32767}, 32767},
                                         DrawRow{"TwoDrawsWide", 40000, {32767, 32767, 1, 7000}, 32768 + 7000}),
                         RowName());

}  // namespace
