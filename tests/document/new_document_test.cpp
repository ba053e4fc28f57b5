#include <cstring>

#include "tests/document/document_fixture.h"

namespace {

const char* const ExperienceQuestion =
    "Network has an experience. Performing this operation will destroy it! Perform anyway?";

int32_t IntAt(const std::string& bytes, size_t offset)
{
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

double DoubleAt(const std::string& bytes, size_t offset)
{
    double value = 0;
    std::memcpy(&value, bytes.data() + offset, 8);
    return value;
}

}  // namespace

TEST_F(DocumentTest, NewDocumentHasTheDefaultShapeIdentityTablesAndResetStatistics)
{
    EXPECT_EQ(document.GetLayersCount(), 5);
    EXPECT_EQ(document.GetInputCount(), 4);
    EXPECT_EQ(document.GetOutputCount(), 2);
    EXPECT_EQ(document.GetNet().GetNeuronCount(), 22);
    EXPECT_EQ(document.GetPatternsCount(), 0);
    EXPECT_EQ(document.GetPassesCount(), 0u);
    EXPECT_EQ(document.GetAverageError(), 10922);
    EXPECT_FALSE(document.OnUpdateEraseTd());
    EXPECT_FALSE(document.OnUpdateTrain(false));
    EXPECT_FALSE(document.IsModified());
    for (int32_t level = 0; level < 256; ++level) {
        EXPECT_EQ(document.Dequantize(static_cast<uint8_t>(level), Column::Input, 3), level);
        EXPECT_EQ(document.Dequantize(static_cast<uint8_t>(level), Column::Output, 1), level);
    }
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(document.GetConsultValues()[i], 0.0);
}

TEST_F(DocumentTest, NewDocumentSavesTheDocumentedLayout)
{
    const std::string bytes = Save();
    ASSERT_EQ(bytes.size(), 12400u);
    EXPECT_EQ(IntAt(bytes, 0), 5);
    EXPECT_EQ(IntAt(bytes, 4), 4);
    EXPECT_EQ(IntAt(bytes, 8), 2);
    for (size_t offset = 12; offset < 100; ++offset)
        EXPECT_EQ(bytes[offset], 0) << offset;
    EXPECT_EQ(DoubleAt(bytes, 100 + 8), 1.0);
    EXPECT_EQ(bytes.substr(100 + 8, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
    EXPECT_EQ(bytes.substr(100 + 255 * 8, 8), std::string("\0\0\0\0\0\xE0\x6F\x40", 8));
    EXPECT_EQ(DoubleAt(bytes, 8292 + 2048 + 255 * 8), 255.0);
    EXPECT_EQ(IntAt(bytes, 12388), 0);
    EXPECT_EQ(IntAt(bytes, 12392), 0);
    EXPECT_EQ(bytes.substr(12396), std::string("\xAA\x2A\0\0", 4));
    EXPECT_EQ(bytes, ReadFile(CORVINA_TEST_DATA "/new_document.cvn"));
}

TEST_F(DocumentTest, ErrorHistoryKeepsItsRunningSum)
{
    ErrorHistory history;
    EXPECT_EQ(history.GetSum(), 1092200000);
    history.Record(0);
    EXPECT_EQ(history.GetSum(), 1092189078);
    EXPECT_EQ(history.GetAverage(), 10921);
    for (int32_t pass = 1; pass < ErrorHistory::RingLength; ++pass)
        history.Record(65025);
    EXPECT_EQ(history.GetPosition(), 0);
    EXPECT_EQ(history.GetSum(), int64_t{65025} * (ErrorHistory::RingLength - 1));
    history.Record(65025);
    EXPECT_EQ(history.GetSum(), int64_t{65025} * ErrorHistory::RingLength);
    EXPECT_EQ(history.GetAverage(), 65025);
    EXPECT_EQ(history.GetPosition(), 1);
    history.Fill(10922);
    history.Record(10921);
    EXPECT_EQ(history.GetAverage(), 10921);
}

TEST_F(DocumentTest, CommandsWithoutExperienceAskNothing)
{
    document.OnRandomization();
    document.OnEraseTd();
    EXPECT_TRUE(document.ChangeShape(2, 3, 3));
    EXPECT_TRUE(messages.questions.empty());
    EXPECT_EQ(document.GetNet().GetNeuronCount(), 9);
    EXPECT_EQ(document.Dequantize(200, Column::Input, 2), 200.0);
    EXPECT_EQ(view.hints, std::vector<UpdateHint>(3, UpdateHint::All));
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentTest, ExperienceIsDestroyedOnlyAfterAYes)
{
    document.ImportTrainingData(DataFile("d.txt", "1 2 3 4 5 6"), true);
    const std::string before = Save();
    messages.answers = {Answer::No, Answer::No, Answer::No};
    document.OnRandomization();
    document.OnEraseTd();
    EXPECT_FALSE(document.ChangeShape(5, 4, 2));
    EXPECT_EQ(messages.questions, std::vector<std::string>(3, ExperienceQuestion));
    EXPECT_EQ(Save(), before);

    messages.answers = {Answer::Yes};
    document.SetPassesCount(7);
    document.OnRandomization();
    EXPECT_EQ(document.GetPatternsCount(), 1);
    EXPECT_EQ(document.GetPassesCount(), 0u);
    messages.answers = {Answer::Yes};
    document.OnEraseTd();
    EXPECT_EQ(document.GetPatternsCount(), 0);
}

TEST_F(DocumentTest, OptionsOffersTheCurrentShapeAndRebuildsWithIdentityTables)
{
    dialogs.shapeAnswer = ShapeFields{1, 2, 1};
    document.OnOptions();
    ASSERT_EQ(dialogs.shownShapes.size(), 1u);
    EXPECT_EQ(dialogs.shownShapes[0].layers, 5u);
    EXPECT_EQ(dialogs.shownShapes[0].inputs, 4u);
    EXPECT_EQ(dialogs.shownShapes[0].outputs, 2u);
    EXPECT_EQ(document.GetNet().GetNeuronCount(), 3);
    EXPECT_EQ(Save().size(), 24u + 12u + 2048u * 3u);

    dialogs.shapeAnswer.reset();
    document.OnOptions();
    EXPECT_EQ(document.GetNet().GetNeuronCount(), 3);
}

TEST_F(DocumentTest, AShapeTooLargeIsRefusedAndTheNetworkKept)
{
    const std::string before = Save();
    EXPECT_FALSE(document.ChangeShape(100000, 100000, 100000));
    ASSERT_EQ(messages.stopMessages.size(), 1u);
    EXPECT_EQ(Save(), before);
    EXPECT_THROW(document.CreateNetwork(0, 4, 2), std::length_error);
    EXPECT_EQ(Save(), before);
    EXPECT_TRUE(view.hints.empty());
}
