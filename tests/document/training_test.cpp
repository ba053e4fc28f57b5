#include <map>

#include "tests/document/document_fixture.h"

TEST_F(DocumentTest, APassTrainsOnADrawnPatternAndSendsHintTwo)
{
    document.TrainPass();
    EXPECT_TRUE(view.hints.empty());
    EXPECT_FALSE(document.IsModified());

    document.ImportTrainingData(DataFile("d.txt", "1 2 3 4 5 6"), true);
    view.hints.clear();
    document.TrainPass();
    EXPECT_EQ(document.GetPassesCount(), 1u);
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{UpdateHint::TrainingPass});
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.GetErrorHistory().GetPosition(), 1);
    const int64_t entry = document.GetErrorHistory().GetEntry(0);
    EXPECT_EQ(document.GetErrorHistory().GetSum(), 1092200000 - 10922 + entry);
}

TEST_F(DocumentTest, TheDrawPicksPatternsByRemainderUpTo32768)
{
    std::string data;
    for (int32_t i = 0; i < 3; ++i)
        data += std::to_string(i) + " 0 0 0 0 0\n";
    document.ImportTrainingData(DataFile("d.txt", data), false);
    int32_t draws = 0;
    SetRandomDrawScript([&draws] { return draws++ == 0 ? 32767 : 0; });
    document.TrainPass();
    // 32767 mod 3 is 1: the pattern whose first input level is 1.
    EXPECT_EQ(document.GetPatternBuffer().GetInputLevels()[0], 1);
}

TEST_F(DocumentTest, BeyondThe15BitRangeEveryPatternCanBeDrawn)
{
    std::string data;
    const int32_t count = 40000;
    for (int32_t i = 0; i < count; ++i)
        data += std::to_string(i % 256) + " " + std::to_string(i / 256) + " 0 0 0 0\n";
    document.ImportTrainingData(DataFile("d.txt", data), false);
    ASSERT_EQ(document.GetPatternsCount(), count);
    // Two draws combine into a 30-bit number; the first (too large) is redrawn.
    std::deque<int32_t> script = {32767, 32767, 1, 7000};
    SetRandomDrawScript([&script] {
        if (script.empty())
            return 0;
        const int32_t value = script.front();
        script.pop_front();
        return value;
    });
    document.TrainPass();
    const int32_t drawn = 32768 + 7000;
    EXPECT_EQ(document.GetPatternBuffer().GetInputLevels()[0], drawn % 256);
    EXPECT_EQ(document.GetPatternBuffer().GetInputLevels()[1], drawn / 256);
}

TEST_F(DocumentTest, PassesCountWrapsWithoutOverflow)
{
    document.ImportTrainingData(DataFile("d.txt", "1 2 3 4 5 6"), true);
    document.SetPassesCount(UINT32_MAX);
    document.TrainPass();
    EXPECT_EQ(document.GetPassesCount(), 0u);
    document.SetPassesCount(uint32_t{1} << 31);
    const std::string bytes = Save();
    CCorvinaDoc loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.GetPassesCount(), uint32_t{1} << 31);
}

TEST_F(DocumentTest, TrainingLowersThePassErrors)
{
    document.ImportTrainingData(DataFile("d.txt", "0 0 0 0 0 0\n255 255 255 255 255 255\n"), false);
    const int32_t window = 2000;
    const int32_t total = 30000;
    for (int32_t pass = 0; pass < total; ++pass)
        document.TrainPass();
    int64_t early = 0;
    int64_t late = 0;
    for (int32_t i = 0; i < window; ++i) {
        early += document.GetErrorHistory().GetEntry(i);
        late += document.GetErrorHistory().GetEntry(total - window + i);
    }
    EXPECT_LT(late, early);
}
