#include "tests/document/document_fixture.h"

TEST_F(DocumentTest, APassTrainsOnAPatternCountsAndSendsHintTwo)
{
    document.TrainPass();
    EXPECT_TRUE(hints.empty());
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.OnUpdateEraseTd());
    EXPECT_FALSE(document.OnUpdateTrain(false));

    // With every weight zero the outputs do not depend on the inputs: a pattern whose targets
    // are those outputs makes no error, one that misses them does.
    document.ConsultSingle();
    const PatternBuffer& buffer = document.GetPatternBuffer();
    const std::string second = std::to_string(buffer.GetOutput(1));
    const std::string met = "10 20 30 40 " + std::to_string(buffer.GetOutput(0)) + ' ' + second;
    const std::string missed = "10 20 30 40 " + std::to_string((buffer.GetOutput(0) + 128) % 256) + ' ' + second;
    document.ImportTrainingData(DataFile("d.txt", met), false);
    EXPECT_TRUE(document.OnUpdateEraseTd());
    EXPECT_TRUE(document.OnUpdateTrain(false));
    EXPECT_FALSE(document.OnUpdateTrain(true));
    hints.clear();
    document.TrainPass();
    EXPECT_EQ(document.GetErrorHistory().GetEntry(0), 0);
    EXPECT_EQ(document.GetPassesCount(), 1u);
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::TrainingPass});
    EXPECT_TRUE(document.IsModified());

    document.ImportTrainingData(DataFile("d.txt", missed), false);
    document.SetPassesCount(UINT32_MAX);
    document.TrainPass();
    EXPECT_GT(document.GetErrorHistory().GetEntry(0), 0);
    EXPECT_EQ(document.GetPassesCount(), 0u);
}

TEST_F(DocumentTest, TheDrawReachesEveryPattern)
{
    // Up to 32768 patterns one draw is taken modulo the count; beyond, two draws make a 30-bit
    // number, drawn again when it falls in the range that would favour the first patterns.
    const struct {
        int32_t count;
        std::vector<int32_t> draws;
        int32_t drawn;
    } cases[] = {{3, {32767}, 1}, {32768, {32767}, 32767}, {40000, {32767, 32767, 1, 7000}, 32768 + 7000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        std::string data;
        for (int32_t i = 0; i < c.count; ++i)
            data += std::to_string(i % 256) + " " + std::to_string(i / 256) + " 0 0 0 0\n";
        document.ImportTrainingData(DataFile("d.txt", data), false);
        ASSERT_EQ(document.GetPatternsCount(), c.count);
        // The case's draws, then zeros.
        std::vector<int32_t> script = c.draws;
        document.GetRandomSource() = RandomSource(
            [](void* context, uint16_t* draws, size_t count) {
                auto& values = *static_cast<std::vector<int32_t>*>(context);
                for (size_t k = 0; k < count; ++k)
                    draws[k] = static_cast<uint16_t>(k < values.size() ? values[k] : 0);
                values.clear();
            },
            &script);
        document.TrainPass();
        const uint8_t* levels = document.GetPatternBuffer().GetInputLevels();
        EXPECT_EQ(levels[0] + 256 * levels[1], c.drawn);
        document.GetRandomSource().Seed(12345);
    }
}
