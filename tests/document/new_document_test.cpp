#include "tests/document/document_fixture.h"

namespace {

TEST_F(DocumentTest, ANewDocumentSavesTheGoldenFile)
{
    EXPECT_EQ(Save(), FreshFile(5, 4, 2));
    EXPECT_EQ(Save(), ReadFile(CORVINA_TEST_DATA "/new_document.cvn"));
    EXPECT_EQ(document.GetConsultValues(), std::vector<double>(4, 0.0));
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
    // A fill after the ring has wrapped replaces every entry again, the recorded ones included.
    history.Fill(7);
    history.Record(1);
    EXPECT_EQ(history.GetSum(), int64_t{7} * ErrorHistory::RingLength - 6);
    EXPECT_EQ(history.GetEntry(0), 1);
    EXPECT_EQ(history.GetEntry(ErrorHistory::RingLength - 1), 7);
}

// A command that destroys experience, and what it leaves of a trained document.
struct ExperienceCommand {
    const char* name;
    void (CCorvinaDoc::*run)();
    int32_t patternsAfter;   // of the one the document had
    bool weightsKept;
    std::string fileAfter;   // when not empty, the whole file afterwards
};
PRINTS_AS_NAME(ExperienceCommand)

class ExperienceTest : public DocumentTest, public testing::WithParamInterface<ExperienceCommand> {
protected:
    // One pattern, random weights and two passes.
    void Train()
    {
        Import("1 2 3 4 5 6");
        document.Model().Randomize();
        document.TrainPass();
        document.TrainPass();
        document.SetModifiedFlag(false);
        hints.clear();
    }
    std::string Weights() const { return Save().substr(12, 88); }
};

TEST_P(ExperienceTest, NoExperienceNoQuestion)
{
    scripted.shape = ShapeFields{2, 3, 3};
    (document.*GetParam().run)();
    EXPECT_TRUE(scripted.questions.empty());
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::All});
}

TEST_P(ExperienceTest, NoKeepsTheDocument)
{
    Train();
    const std::string before = Save();
    scripted.answers = {Answer::No};
    scripted.shape = ShapeFields{2, 3, 3};
    (document.*GetParam().run)();
    EXPECT_EQ(scripted.questions, std::vector<std::string>{"Network has an experience. Performing this operation "
                                                           "will destroy it! Perform anyway?"});
    EXPECT_TRUE(Save() == before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(hints.empty());
}

TEST_P(ExperienceTest, YesResetsTheStatistics)
{
    Train();
    const std::string weights = Weights();
    scripted.answers = {Answer::Yes};
    scripted.shape = ShapeFields{2, 3, 3};
    (document.*GetParam().run)();
    EXPECT_EQ(scripted.questions.size(), 1u);
    EXPECT_EQ(document.GetPatternsCount(), GetParam().patternsAfter);
    EXPECT_EQ(document.GetPassesCount(), 0u);
    EXPECT_EQ(document.GetAverageError(), 10922);
    EXPECT_EQ(Weights() == weights, GetParam().weightsKept);
    if (!GetParam().fileAfter.empty()) {
        EXPECT_TRUE(Save() == GetParam().fileAfter);
    }
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::All});
}

INSTANTIATE_TEST_SUITE_P(Commands, ExperienceTest,
                         testing::Values(ExperienceCommand{"Randomization", &CCorvinaDoc::OnRandomization, 1, false, ""},
                                         ExperienceCommand{"EraseTd", &CCorvinaDoc::OnEraseTd, 0, true, ""},
                                         ExperienceCommand{"Options", &CCorvinaDoc::OnOptions, 0, false, FreshFile(2, 3, 3)}),
                         RowName());

TEST_F(DocumentTest, OptionsOffersTheShapeAndCancelChangesNothing)
{
    document.OnOptions();
    EXPECT_EQ(std::vector<uint32_t>({scripted.shownShape.layers, scripted.shownShape.inputs, scripted.shownShape.outputs}),
              std::vector<uint32_t>({5, 4, 2}));
    EXPECT_TRUE(hints.empty());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentTest, AShapeTooLargeKeepsTheNetworkAndSaysSo)
{
    EXPECT_FALSE(document.ChangeShape(100000, 100000, 100000));
    EXPECT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_THROW(document.CreateNetwork(0, 4, 2), std::length_error);
    EXPECT_EQ(Save(), FreshFile(5, 4, 2));
    EXPECT_TRUE(hints.empty());
}

}  // namespace
