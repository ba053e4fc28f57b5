#include "shell_fixture.h"

namespace {

class TrainingTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Document().ImportTrainingData(WriteTrainingData(20), true);
    }

    // Train and Pause enabled as the training flag says.
    void ExpectCommandsForTraining(bool on)
    {
        EXPECT_EQ(app->IsTrainingOn(), on);
        EXPECT_EQ(IsEnabledAfterRefresh(ID_TRAIN), !on);
        EXPECT_EQ(Action(ID_PAUSE)->isEnabled(), on);
    }
};

TEST_F(TrainingTest, TrainAndPauseFollowTheFlag)
{
    ExpectCommandsForTraining(false);
    EXPECT_FALSE(app->Router().Execute(ID_PAUSE));
    Action(ID_TRAIN)->trigger();
    ExpectCommandsForTraining(true);
    EXPECT_FALSE(app->Router().Execute(ID_TRAIN));
    EXPECT_TRUE(TrainsOnFrom(0));

    Action(ID_PAUSE)->trigger();
    const uint32_t paused = Passes();
    LetTheIdleLoopRun();
    EXPECT_EQ(Passes(), paused);
    ExpectCommandsForTraining(false);
    EXPECT_TRUE(RunEventsUntil([&] { return FieldText(IDC_CURRENT_PASS) == QString::number(paused); }));
    EXPECT_EQ(FieldText(IDC_AVERAGE_ERROR), QString::number(Document().GetAverageError()));
    EXPECT_TRUE(Document().IsModified());
}

class ModalWhileTrainingTest : public TrainingTest, public testing::WithParamInterface<CommandId> {};

// No pass while a modal dialog or message box is open: the About box, and the experience question
// that Randomization asks and No declines.
TEST_P(ModalWhileTrainingTest, NoPassWhileItIsOpen)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    ASSERT_TRUE(TrainsOnFrom(0));
    uint32_t whenOpened = 0, whenHeld = 0;
    const ModalResponder responder([&](QWidget& modal) {
        whenOpened = Passes();
        EXPECT_TRUE(RunEventsUntil([&] { return app->Idle()->IsHeldByModalLoop(); }));
        whenHeld = Passes();
        if (auto* box = qobject_cast<QMessageBox*>(&modal))
            box->button(QMessageBox::No)->click();
        else
            static_cast<QDialog&>(modal).accept();
    });
    app->Router().Execute(GetParam());
    EXPECT_TRUE(responder.Answered());
    EXPECT_EQ(whenHeld, whenOpened);
    EXPECT_TRUE(TrainsOnFrom(whenHeld));
}

INSTANTIATE_TEST_SUITE_P(Modals, ModalWhileTrainingTest, testing::Values(ID_APP_ABOUT, ID_RANDOMIZATION),
                         [](const auto& command) { return command.param == ID_APP_ABOUT ? "About" : "Randomization"; });

// Commands that take the patterns away leave the flag on: passes stop, and the idle loop rests,
// until new data comes.
TEST_F(TrainingTest, EraseAndNewWhileTrainingKeepTheFlag)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    ASSERT_TRUE(TrainsOnFrom(0));
    {
        const BoxAnswer yes(QMessageBox::Yes);
        app->Router().Execute(ID_ERASE_TD);
        EXPECT_EQ(yes.text, "Network has an experience. Performing this operation will destroy it! Perform anyway?");
    }
    EXPECT_EQ(Document().GetPatternsCount(), 0);
    ExpectCommandsForTraining(true);
    LetTheIdleLoopRun();
    EXPECT_FALSE(app->Idle()->IsRunning());
    EXPECT_EQ(Passes(), 0u);
    EXPECT_EQ(Document().GetAverageError(), 10922);
    // New data: passes start again without another Train, and without a question.
    SelectTrainingDataThroughDialog(WriteTrainingData(12));
    EXPECT_TRUE(TrainsOnFrom(0));
    Document().ImportTrainingData(WriteTrainingData(10), true);
    const BoxAnswer discard(QMessageBox::No);
    app->Router().Execute(ID_FILE_NEW);
    EXPECT_EQ(Document().GetLayersCount(), 5);
    EXPECT_TRUE(app->IsTrainingOn());
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "0");
}

}  // namespace
