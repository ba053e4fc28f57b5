#include "tests/document/document_fixture.h"

namespace {

const char* const ExperienceQuestion =
    "Network has an experience. Performing this operation will destroy it! Perform anyway?";

// The file of an untrained network: every weight zero, identity tables, no patterns, no passes
// and the reset average.
std::string FreshFile(int32_t layers, int32_t inputs, int32_t outputs)
{
    std::string bytes = Ints({layers, inputs, outputs}) + std::string(4 * size_t(layers * inputs + outputs), '\0');
    for (int32_t column = 0; column < inputs + outputs; ++column) {
        for (int32_t level = 0; level < 256; ++level) {
            const double value = level;
            bytes.append(reinterpret_cast<const char*>(&value), 8);
        }
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
}

TEST_F(DocumentTest, OnlyExperienceIsAskedAboutBeforeItIsDestroyed)
{
    document.OnRandomization();
    document.OnEraseTd();
    EXPECT_TRUE(document.ChangeShape(2, 3, 3));
    EXPECT_TRUE(scripted.questions.empty());
    EXPECT_EQ(Save(), FreshFile(2, 3, 3));
    EXPECT_EQ(view.hints, std::vector<UpdateHint>(3, UpdateHint::All));
    EXPECT_TRUE(document.IsModified());

    document.ImportTrainingData(DataFile("d.txt", "1 2 3 4 5 6"), true);
    const std::string before = Save();
    scripted.answers = {Answer::No, Answer::No, Answer::No};
    document.OnRandomization();
    document.OnEraseTd();
    EXPECT_FALSE(document.ChangeShape(5, 4, 2));
    EXPECT_EQ(scripted.questions, std::vector<std::string>(3, ExperienceQuestion));
    EXPECT_EQ(Save(), before);

    scripted.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    document.SetPassesCount(7);
    document.OnRandomization();
    EXPECT_EQ(document.GetPatternsCount(), 1);
    EXPECT_EQ(document.GetPassesCount(), 0u);
    document.OnEraseTd();
    EXPECT_EQ(document.GetPatternsCount(), 0);
    document.SetPassesCount(7);
    EXPECT_TRUE(document.ChangeShape(5, 4, 2));
    EXPECT_EQ(scripted.questions.size(), 6u);
}

TEST_F(DocumentTest, OptionsOffersTheCurrentShapeAndRebuildsAnUntrainedNetwork)
{
    document.OnRandomization();
    document.ImportTrainingData(DataFile("d.txt", "1 2 3 4 5 6"), true);
    scripted.answers = {Answer::Yes};
    scripted.shape = ShapeFields{1, 2, 1};
    document.OnOptions();
    ASSERT_EQ(scripted.shownShapes.size(), 1u);
    EXPECT_EQ(scripted.shownShapes[0].layers, 5u);
    EXPECT_EQ(scripted.shownShapes[0].inputs, 4u);
    EXPECT_EQ(scripted.shownShapes[0].outputs, 2u);
    EXPECT_EQ(Save(), FreshFile(1, 2, 1));

    const size_t hints = view.hints.size();
    scripted.shape.reset();
    document.OnOptions();
    EXPECT_EQ(view.hints.size(), hints);
}

TEST_F(DocumentTest, AShapeTooLargeKeepsTheNetworkAndSaysSo)
{
    const std::string before = Save();
    EXPECT_FALSE(document.ChangeShape(100000, 100000, 100000));
    EXPECT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_THROW(document.CreateNetwork(0, 4, 2), std::length_error);
    EXPECT_EQ(Save(), before);
    EXPECT_TRUE(view.hints.empty());
}
