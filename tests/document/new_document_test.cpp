#include "tests/document/document_fixture.h"

namespace {

// The file of an untrained network: zero weights, identity tables, no patterns or passes, the
// reset average.
std::string FreshFile(int32_t layers, int32_t inputs, int32_t outputs)
{
    const auto weights = static_cast<size_t>(4 * (layers * inputs + outputs));
    std::string bytes = Ints({layers, inputs, outputs}) + std::string(weights, '\0');
    for (int32_t entry = 0; entry < 256 * (inputs + outputs); ++entry) {
        const double value = entry % 256;
        bytes.append(reinterpret_cast<const char*>(&value), 8);
    }
    return bytes + Ints({0, 0, 10922});
}

}  // namespace

TEST_F(DocumentTest, ANewDocumentSavesTheGoldenFile)
{
    const std::string bytes = Save();
    EXPECT_EQ(bytes.size(), 12400u);
    EXPECT_EQ(bytes, FreshFile(5, 4, 2));
    EXPECT_EQ(bytes, ReadFile(CORVINA_TEST_DATA "/new_document.cvn"));
    EXPECT_FALSE(document.IsModified());
}

TEST(ErrorHistoryTest, KeepsARunningSumAndATruncatedAverage)
{
    ErrorHistory history;
    EXPECT_EQ(history.GetSum(), 1092200000);
    history.Record(0);
    EXPECT_EQ(history.GetSum(), 1092189078);
    EXPECT_EQ(history.GetAverage(), 10921);
    for (int32_t pass = 1; pass < ErrorHistory::RingLength; ++pass)
        history.Record(65025);
    EXPECT_EQ(history.GetPosition(), 0);
    history.Record(65025);
    EXPECT_EQ(history.GetSum(), int64_t{65025} * ErrorHistory::RingLength);
    EXPECT_EQ(history.GetAverage(), 65025);
    // A fill after the ring has wrapped replaces every entry again, the recorded ones included.
    history.Fill(7);
    history.Record(1);
    EXPECT_EQ(history.GetSum(), int64_t{7} * ErrorHistory::RingLength - 6);
    EXPECT_EQ(history.GetEntry(0), 1);
    for (int32_t index : {1, 2, ErrorHistory::RingLength - 1})
        EXPECT_EQ(history.GetEntry(index), 7);
}

TEST_F(DocumentTest, OnlyExperienceIsAskedAboutBeforeItIsDestroyed)
{
    scripted.shape = ShapeFields{2, 3, 3};
    document.OnRandomization();
    document.OnEraseTd();
    document.OnOptions();
    EXPECT_TRUE(scripted.questions.empty());
    const ShapeFields& shown = scripted.shownShapes.at(0);
    EXPECT_EQ(std::vector<uint32_t>({shown.layers, shown.inputs, shown.outputs}), std::vector<uint32_t>({5, 4, 2}));
    EXPECT_EQ(Save(), FreshFile(2, 3, 3));
    EXPECT_EQ(hints, std::vector<UpdateHint>(3, UpdateHint::All));
    EXPECT_TRUE(document.IsModified());

    scripted.answers = {Answer::No, Answer::No, Answer::No, Answer::Yes, Answer::Yes, Answer::Yes};
    document.ImportTrainingData(DataFile("d.txt", "1 2 3 4 5 6"), true);
    const std::string before = Save();
    document.OnRandomization();
    document.OnEraseTd();
    EXPECT_FALSE(document.ChangeShape(5, 4, 2));
    EXPECT_EQ(scripted.questions, std::vector<std::string>(3, "Network has an experience. Performing this "
                                                              "operation will destroy it! Perform anyway?"));
    EXPECT_EQ(Save(), before);

    document.SetPassesCount(7);
    document.OnRandomization();
    EXPECT_EQ(document.GetPatternsCount(), 1);
    EXPECT_EQ(document.GetPassesCount(), 0u);
    document.OnEraseTd();
    EXPECT_EQ(document.GetPatternsCount(), 0);
    document.SetPassesCount(7);
    scripted.shape = ShapeFields{1, 2, 1};
    document.OnOptions();
    EXPECT_EQ(scripted.questions.size(), 6u);
    EXPECT_EQ(Save(), FreshFile(1, 2, 1));

    const size_t sent = hints.size();
    scripted.shape.reset();
    document.OnOptions();
    EXPECT_EQ(hints.size(), sent);
}

TEST_F(DocumentTest, AShapeTooLargeKeepsTheNetworkAndSaysSo)
{
    const std::string before = Save();
    EXPECT_FALSE(document.ChangeShape(100000, 100000, 100000));
    EXPECT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_THROW(document.CreateNetwork(0, 4, 2), std::length_error);
    EXPECT_EQ(Save(), before);
    EXPECT_TRUE(hints.empty());
}
