#include "tests/document/document_fixture.h"

namespace {

// A new document saves the golden file; Options offers its shape and builds a fresh network.
TEST_F(DocumentTest, ANewDocumentSavesTheGoldenFileAndOptionsBuildsAFreshNetwork)
{
    EXPECT_EQ(Save(), FreshFile(5, 4, 2));
    EXPECT_EQ(Save(), ReadFile(CORVINA_TEST_DATA "/new_document.cvn"));
    EXPECT_EQ(document.GetConsultValues(), std::vector<double>(4, 0.0));
    // A shape too large for the engine is refused with a message and changes nothing.
    EXPECT_FALSE(document.ChangeShape(100000, 100000, 100000));
    EXPECT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_THROW(document.CreateNetwork(0, 4, 2), std::length_error);
    EXPECT_EQ(Save(), FreshFile(5, 4, 2));
    EXPECT_TRUE(hints.empty());
    EXPECT_FALSE(document.IsModified());

    document.OnOptions();  // cancelled
    EXPECT_EQ(std::tuple(scripted.shownShape.layers, scripted.shownShape.inputs, scripted.shownShape.outputs),
              std::tuple(5u, 4u, 2u));
    EXPECT_TRUE(hints.empty());
    scripted.shape = ShapeFields{2, 3, 3};
    document.OnOptions();
    EXPECT_TRUE(Save() == FreshFile(2, 3, 3));
    EXPECT_EQ(document.GetConsultValues(), std::vector<double>(3, 0.0));
}

// A command that destroys experience, the patterns it leaves of one, and whether the weights stay.
struct ExperienceCommand {
    const char* name;
    void (CCorvinaDoc::*run)();
    int32_t patternsAfter;
    bool weightsKept;
};
PRINTS_AS_NAME(ExperienceCommand)

class ExperienceTest : public DocumentTest, public testing::WithParamInterface<ExperienceCommand> {};

// On a document with one pattern and random weights, No keeps the document; Yes resets the
// statistics; without experience left, the command goes ahead without a question.
TEST_P(ExperienceTest, IsDestroyedOnlyAfterAYes)
{
    Import("1 2 3 4 5 6");
    document.Model().Randomize();
    document.SetModifiedFlag(false);
    hints.clear();
    const std::string before = Save();
    scripted.answers = {Answer::No, Answer::Yes};
    scripted.shape = ShapeFields{2, 3, 3};
    (document.*GetParam().run)();  // patterns alone are experience
    EXPECT_EQ(scripted.questions, std::vector<std::string>{"Network has an experience. Performing this operation "
                                                           "will destroy it! Perform anyway?"});
    EXPECT_TRUE(Save() == before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(hints.empty());

    document.Model().RestoreStatistics(7, 500);
    (document.*GetParam().run)();
    EXPECT_EQ(scripted.questions.size(), 2u);
    EXPECT_EQ(document.GetPatternsCount(), GetParam().patternsAfter);
    EXPECT_EQ(document.GetPassesCount(), 0u);
    EXPECT_EQ(document.GetAverageError(), 10922);
    EXPECT_EQ(Save().substr(12, 88) == before.substr(12, 88), GetParam().weightsKept);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::All});
    (document.*GetParam().run)();
    EXPECT_EQ(scripted.questions.size(), GetParam().patternsAfter == 0 ? 2u : 3u);
}

INSTANTIATE_TEST_SUITE_P(Commands, ExperienceTest,
                         testing::Values(ExperienceCommand{"Randomization", &CCorvinaDoc::OnRandomization, 1, false},
                                         ExperienceCommand{"EraseTd", &CCorvinaDoc::OnEraseTd, 0, true},
                                         ExperienceCommand{"Options", &CCorvinaDoc::OnOptions, 0, false}),
                         RowName());

}  // namespace
