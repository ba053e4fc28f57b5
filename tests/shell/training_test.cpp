#include "shell_fixture.h"

#include "shell/dialogs/about_box.h"

namespace {

class TrainingTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Document().ImportTrainingData(WriteTrainingData(20), true);
        Document().UpdateAllViews(nullptr, UpdateHint::All);
    }
};

TEST_F(TrainingTest, TrainAndPauseFollowTheFlag)
{
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_PAUSE));
    Action(ID_TRAIN)->trigger();
    EXPECT_TRUE(app->IsTrainingOn());
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_PAUSE));
    RunEventsFor(100);
    const uint32_t passes = Document().GetPassesCount();
    EXPECT_GT(passes, 0u);
    Action(ID_PAUSE)->trigger();
    EXPECT_FALSE(app->IsTrainingOn());
    RunEventsFor(50);
    const uint32_t paused = Document().GetPassesCount();
    RunEventsFor(50);
    EXPECT_EQ(Document().GetPassesCount(), paused);
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_PAUSE));
}

TEST_F(TrainingTest, ProgressFieldsCatchUpWithTheDocument)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    RunEventsFor(100);
    app->Router().Execute(ID_PAUSE);
    RunEventsFor(50);
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), QString::number(Document().GetPassesCount()));
    EXPECT_EQ(FieldText(IDC_AVERAGE_ERROR), QString::number(Document().GetAverageError()));
    EXPECT_TRUE(Document().IsModified());
}

TEST_F(TrainingTest, DisabledCommandIsIgnoredWhenGiven)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    EXPECT_FALSE(app->Router().Execute(ID_TRAIN));
    EXPECT_TRUE(app->Router().Execute(ID_PAUSE));
    EXPECT_FALSE(app->Router().Execute(ID_PAUSE));
    EXPECT_TRUE(app->Router().Execute(ID_TRAIN));
    EXPECT_TRUE(app->IsTrainingOn());
}

TEST_F(TrainingTest, NoPassWhileAModalDialogIsOpen)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    RunEventsFor(30);
    uint32_t whenOpened = 0;
    uint32_t beforeClosing = 0;
    const ModalResponder responder1([&](QWidget& about) {
        whenOpened = Document().GetPassesCount();
        RunEventsFor(150);
        beforeClosing = Document().GetPassesCount();
        static_cast<QDialog&>(about).accept();
    });
    app->Router().Execute(ID_APP_ABOUT);
    EXPECT_GT(whenOpened, 0u);
    EXPECT_EQ(beforeClosing, whenOpened);
    // Training goes on by itself once the box is closed.
    RunEventsFor(150);
    EXPECT_GT(Document().GetPassesCount(), beforeClosing);
}

TEST_F(TrainingTest, NoPassWhileAMessageBoxIsOpen)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    RunEventsFor(30);
    uint32_t whenOpened = 0;
    uint32_t beforeClosing = 0;
    const ModalResponder responder2([&](QWidget& box) {
        whenOpened = Document().GetPassesCount();
        RunEventsFor(150);
        beforeClosing = Document().GetPassesCount();
        PressMessageButton(box, QMessageBox::No);
    });
    app->Router().Execute(ID_RANDOMIZATION);
    EXPECT_EQ(beforeClosing, whenOpened);
    EXPECT_GT(whenOpened, 0u);
}

TEST_F(TrainingTest, EraseWhileTrainingKeepsTheFlagAndNewDataResumes)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    RunEventsFor(30);
    const ModalResponder responder3([](QWidget& box) { PressMessageButton(box, QMessageBox::Yes); });
    app->Router().Execute(ID_ERASE_TD);
    EXPECT_EQ(Document().GetPatternsCount(), 0);
    EXPECT_TRUE(app->IsTrainingOn());
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_PAUSE));
    RunEventsFor(50);
    EXPECT_EQ(Document().GetPassesCount(), 0u);
    EXPECT_EQ(Document().GetAverageError(), 10922);
    // New data: passes start again without another Train.
    SelectTrainingDataThroughDialog(WriteTrainingData(12));
    RunEventsFor(50);
    EXPECT_GT(Document().GetPassesCount(), 0u);
}

TEST_F(TrainingTest, ExperienceQuestionIsAskedOnlyWhenThereIsExperience)
{
    QString question;
    const ModalResponder responder4([&question](QWidget& box) {
        question = static_cast<QMessageBox&>(box).text();
        PressMessageButton(box, QMessageBox::No);
    });
    app->Router().Execute(ID_RANDOMIZATION);
    EXPECT_EQ(question, "Network has an experience. Performing this operation will destroy it! Perform anyway?");
    EXPECT_EQ(Document().GetPatternsCount(), 20);

    // Without patterns or passes the commands go ahead at once.
    const ModalResponder responder5([](QWidget& box) { PressMessageButton(box, QMessageBox::Yes); });
    app->Router().Execute(ID_ERASE_TD);
    bool asked = false;
    const ModalResponder responder6([&asked](QWidget& box) {
        asked = true;
        PressMessageButton(box, QMessageBox::No);
    });
    app->Router().Execute(ID_RANDOMIZATION);
    RunEventsFor(100);
    EXPECT_FALSE(asked);
    QApplication::processEvents();
}

TEST_F(TrainingTest, FileNewWhileTrainingKeepsTraining)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    RunEventsFor(30);
    const ModalResponder responder7([](QWidget& box) { PressMessageButton(box, QMessageBox::No); });
    app->Router().Execute(ID_FILE_NEW);
    EXPECT_EQ(Document().GetPatternsCount(), 0);
    EXPECT_TRUE(app->IsTrainingOn());
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "0");
}

TEST_F(TrainingTest, OptionsWhileTrainingKeepsTheFlagOnAnEmptyNetwork)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    RunEventsFor(30);
    // The shape dialog, then the question about experience.
    const ModalResponder shape(
        [](QWidget& dialog) {
            FindControl<QLineEdit>(dialog, 1000)->setText("3");
            FindControl<QAbstractButton>(dialog, 1)->click();
        },
        "CNewNetDlg");
    const ModalResponder question([](QWidget& box) { PressMessageButton(box, QMessageBox::Yes); }, "QMessageBox");
    app->Router().Execute(ID_OPTIONS);
    EXPECT_EQ(Document().GetLayersCount(), 3);
    EXPECT_EQ(FieldText(IDC_LEVELS_COUNT), "3");
    EXPECT_EQ(Document().GetPatternsCount(), 0);
    EXPECT_TRUE(app->IsTrainingOn());
    RunEventsFor(30);
    EXPECT_EQ(Document().GetPassesCount(), 0u);
}

TEST_F(TrainingTest, RandomizationWhileTrainingGoesOnAtOnce)
{
    ASSERT_TRUE(app->Router().Execute(ID_TRAIN));
    RunEventsFor(30);
    const ModalResponder yes([](QWidget& box) { PressMessageButton(box, QMessageBox::Yes); });
    app->Router().Execute(ID_RANDOMIZATION);
    EXPECT_EQ(FieldText(IDC_CURRENT_PASS), "0");
    EXPECT_EQ(Document().GetPatternsCount(), 20);
    RunEventsFor(50);
    EXPECT_GT(Document().GetPassesCount(), 0u);
}

}  // namespace
