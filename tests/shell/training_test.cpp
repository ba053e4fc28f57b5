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

// The About box, and the experience question that Randomization asks and No declines.
TEST_F(TrainingTest, NoPassWhileAModalDialogOrMessageBoxIsOpen)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    for (const CommandId command : {ID_APP_ABOUT, ID_RANDOMIZATION}) {
        ASSERT_TRUE(TrainsOnFrom(Passes()));
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
        app->Router().Execute(command);
        EXPECT_TRUE(responder.Answered());
        EXPECT_EQ(whenHeld, whenOpened) << command;
        EXPECT_TRUE(TrainsOnFrom(whenHeld)) << command;
    }
}

// Commands that take the patterns away leave the flag on: passes stop, and the idle loop rests,
// until new data comes.
TEST_F(TrainingTest, EraseShapeAndNewWhileTrainingKeepTheFlag)
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
    {
        // The shape dialog, then the question about experience.
        const ModalResponder shape([](QWidget& dialog) {
            Control<QLineEdit>(dialog, 1000)->setText("3");
            Click(dialog, 1);
        }, "CNewNetDlg");
        const BoxAnswer question(QMessageBox::Yes);
        app->Router().Execute(ID_OPTIONS);
    }
    EXPECT_EQ(FieldText(IDC_LEVELS_COUNT), "3");
    EXPECT_EQ(Document().GetPatternsCount(), 0);
    EXPECT_TRUE(app->IsTrainingOn());
    LetTheIdleLoopRun();
    EXPECT_EQ(Passes(), 0u);
    Document().ImportTrainingData(WriteTrainingData(10), true);
    const BoxAnswer discard(QMessageBox::No);
    app->Router().Execute(ID_FILE_NEW);
    EXPECT_EQ(Document().GetLayersCount(), 5);
    EXPECT_TRUE(app->IsTrainingOn());
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "0");
}

}  // namespace
