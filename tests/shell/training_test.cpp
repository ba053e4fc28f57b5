#include "shell_fixture.h"

namespace {

class TrainingTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Document().ImportTrainingData(WriteTrainingData(20), true);
        Document().UpdateAllViews(nullptr, UpdateHint::All);
    }

    // Waits until training has made more passes than it had.
    bool TrainsOnFrom(uint32_t passes)
    {
        return RunEventsUntil([&] { return Document().GetPassesCount() > passes; });
    }
};

TEST_F(TrainingTest, TrainAndPauseFollowTheFlag)
{
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_PAUSE));
    EXPECT_FALSE(app->Router().Execute(ID_PAUSE));
    Action(ID_TRAIN)->trigger();
    EXPECT_TRUE(app->IsTrainingOn());
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_PAUSE));
    EXPECT_FALSE(app->Router().Execute(ID_TRAIN));
    EXPECT_TRUE(TrainsOnFrom(0));

    Action(ID_PAUSE)->trigger();
    EXPECT_FALSE(app->IsTrainingOn());
    const uint32_t paused = Document().GetPassesCount();
    RunEventsFor(50);
    EXPECT_EQ(Document().GetPassesCount(), paused);
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_PAUSE));
    EXPECT_TRUE(RunEventsUntil([&] { return FieldText(IDC_CURRENT_PASS) == QString::number(paused); }));
    EXPECT_EQ(FieldText(IDC_AVERAGE_ERROR), QString::number(Document().GetAverageError()));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(TrainingTest, NoPassWhileAModalDialogOrMessageBoxIsOpen)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    // The About box, and the experience question that Randomization asks and No declines.
    for (const CommandId command : {ID_APP_ABOUT, ID_RANDOMIZATION}) {
        SCOPED_TRACE(command);
        ASSERT_TRUE(TrainsOnFrom(Document().GetPassesCount()));
        uint32_t whenOpened = 0;
        uint32_t beforeClosing = 0;
        const ModalResponder responder([&](QWidget& modal) {
            whenOpened = Document().GetPassesCount();
            RunEventsFor(150);
            beforeClosing = Document().GetPassesCount();
            if (auto* box = qobject_cast<QMessageBox*>(&modal))
                box->button(QMessageBox::No)->click();
            else
                static_cast<QDialog&>(modal).accept();
        });
        app->Router().Execute(command);
        EXPECT_TRUE(responder.Answered());
        EXPECT_EQ(beforeClosing, whenOpened);
        EXPECT_TRUE(TrainsOnFrom(beforeClosing));
    }
}

TEST_F(TrainingTest, EraseWhileTrainingKeepsTheFlagAndNewDataResumes)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    ASSERT_TRUE(TrainsOnFrom(0));
    {
        const BoxAnswer yes(QMessageBox::Yes);
        app->Router().Execute(ID_ERASE_TD);
    }
    EXPECT_EQ(Document().GetPatternsCount(), 0);
    EXPECT_TRUE(app->IsTrainingOn());
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_PAUSE));
    RunEventsFor(50);
    EXPECT_EQ(Document().GetPassesCount(), 0u);
    EXPECT_EQ(Document().GetAverageError(), 10922);
    // New data: passes start again without another Train.
    SelectTrainingDataThroughDialog(WriteTrainingData(12));
    EXPECT_TRUE(TrainsOnFrom(0));
}

TEST_F(TrainingTest, ExperienceQuestionIsAskedOnlyWhenThereIsExperience)
{
    {
        const BoxAnswer no(QMessageBox::No);
        app->Router().Execute(ID_RANDOMIZATION);
        EXPECT_EQ(no.text, "Network has an experience. Performing this operation will destroy it! Perform anyway?");
    }
    EXPECT_EQ(Document().GetPatternsCount(), 20);
    {
        const BoxAnswer yes(QMessageBox::Yes);
        app->Router().Execute(ID_ERASE_TD);
    }
    // Without patterns or passes the command goes ahead at once.
    const BoxAnswer unexpected(QMessageBox::No);
    app->Router().Execute(ID_RANDOMIZATION);
    EXPECT_FALSE(unexpected.Answered());
}

TEST_F(TrainingTest, FileCommandsWhileTrainingKeepTheFlag)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    ASSERT_TRUE(TrainsOnFrom(0));
    {
        const BoxAnswer yes(QMessageBox::Yes);
        app->Router().Execute(ID_RANDOMIZATION);
    }
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "0");
    EXPECT_EQ(Document().GetPatternsCount(), 20);
    EXPECT_TRUE(TrainsOnFrom(0));
    {
        // The shape dialog, then the question about experience.
        const ModalResponder shape(
            [](QWidget& dialog) {
                FindControl<QLineEdit>(dialog, 1000)->setText("3");
                FindControl<QAbstractButton>(dialog, 1)->click();
            },
            "CNewNetDlg");
        const BoxAnswer question(QMessageBox::Yes);
        app->Router().Execute(ID_OPTIONS);
    }
    EXPECT_EQ(FieldText(IDC_LEVELS_COUNT), "3");
    EXPECT_EQ(Document().GetPatternsCount(), 0);
    EXPECT_TRUE(app->IsTrainingOn());
    RunEventsFor(30);
    EXPECT_EQ(Document().GetPassesCount(), 0u);
    {
        Document().ImportTrainingData(WriteTrainingData(10), true);
        const BoxAnswer discard(QMessageBox::No);
        app->Router().Execute(ID_FILE_NEW);
    }
    EXPECT_EQ(Document().GetPatternsCount(), 0);
    EXPECT_EQ(Document().GetLayersCount(), 5);
    EXPECT_TRUE(app->IsTrainingOn());
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "0");
}

}  // namespace
