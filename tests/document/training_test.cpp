#include "tests/document/document_fixture.h"

TEST_F(DocumentTest, APassTrainsOnAPatternAndSendsHintTwo)
{
    document.TrainPass();
    EXPECT_TRUE(view.hints.empty());
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.OnUpdateEraseTd());
    EXPECT_FALSE(document.OnUpdateTrain(false));

    // With every weight zero the outputs do not depend on the inputs: a pattern whose targets
    // are those outputs makes no error.
    document.ConsultSingle();
    const PatternBuffer& buffer = document.GetPatternBuffer();
    const std::string targets = std::to_string(buffer.GetOutput(0)) + ' ' + std::to_string(buffer.GetOutput(1));
    const std::string missed = std::to_string((buffer.GetOutput(0) + 128) % 256) + ' ' + std::to_string(buffer.GetOutput(1));
    document.ImportTrainingData(DataFile("d.txt", "10 20 30 40 " + targets), false);
    EXPECT_TRUE(document.OnUpdateEraseTd());
    EXPECT_TRUE(document.OnUpdateTrain(false));
    EXPECT_FALSE(document.OnUpdateTrain(true));
    view.hints.clear();
    document.TrainPass();
    EXPECT_EQ(document.GetPatternBuffer().GetInputLevels()[3], 40);
    EXPECT_EQ(document.GetErrorHistory().GetEntry(0), 0);
    EXPECT_EQ(document.GetErrorHistory().GetSum(), 1092200000 - 10922);
    EXPECT_EQ(document.GetPassesCount(), 1u);
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{UpdateHint::TrainingPass});
    EXPECT_TRUE(document.IsModified());

    document.ImportTrainingData(DataFile("d.txt", "10 20 30 40 " + missed), false);
    document.TrainPass();
    EXPECT_GT(document.GetErrorHistory().GetEntry(0), 0);
}

TEST_F(DocumentTest, TheDrawReachesEveryPattern)
{
    // Up to 32768 patterns one draw is taken modulo the count; beyond, two draws make a 30-bit
    // number, drawn again when it falls in the range that would favour the first patterns.
    const struct {
        int32_t count;
        std::deque<int32_t> draws;
        int32_t drawn;
    } cases[] = {{3, {32767}, 1}, {32768, {32767}, 32767}, {40000, {32767, 32767, 1, 7000}, 32768 + 7000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        std::string data;
        for (int32_t i = 0; i < c.count; ++i)
            data += std::to_string(i % 256) + " " + std::to_string(i / 256) + " 0 0 0 0\n";
        document.ImportTrainingData(DataFile("d.txt", data), false);
        ASSERT_EQ(document.GetPatternsCount(), c.count);
        SetRandomDrawScript([draws = c.draws]() mutable {
            const int32_t draw = draws.empty() ? 0 : draws.front();
            if (!draws.empty())
                draws.pop_front();
            return draw;
        });
        document.TrainPass();
        const uint8_t* levels = document.GetPatternBuffer().GetInputLevels();
        EXPECT_EQ(levels[0] + 256 * levels[1], c.drawn);
    }
}

TEST_F(DocumentTest, ThePassesCountIsUnsigned)
{
    document.ImportTrainingData(DataFile("d.txt", "1 2 3 4 5 6"), true);
    document.SetPassesCount(UINT32_MAX);
    document.TrainPass();
    EXPECT_EQ(document.GetPassesCount(), 0u);
    document.SetPassesCount(uint32_t{1} << 31);
    CCorvinaDoc loaded;
    Load(loaded, Save());
    EXPECT_EQ(loaded.GetPassesCount(), uint32_t{1} << 31);
}

TEST_F(DocumentTest, TrainingLowersThePassErrors)
{
    document.ImportTrainingData(DataFile("d.txt", "0 0 0 0 0 0\n255 255 255 255 255 255\n"), false);
    for (int32_t pass = 0; pass < 30000; ++pass)
        document.TrainPass();
    const ErrorHistory& history = document.GetErrorHistory();
    int64_t early = 0;
    int64_t late = 0;
    for (int32_t i = 0; i < 2000; ++i) {
        early += history.GetEntry(i);
        late += history.GetEntry(28000 + i);
    }
    EXPECT_LT(late, early);
}
