#include <QCursor>
#include <chrono>

#include "shell_fixture.h"

namespace {

using LongWorkTest = ShellTest;

// While the progress dialog of long work shows, with the pointer busy, the idle loop is given
// its chance and holds back: no training pass slips in. Afterwards the pointer is the window's
// own again, and training goes on with the new data.
TEST_F(LongWorkTest, LongSelectTdShowsABusyPointerAndAModalProgressDialogWithoutTraining)
{
    Document().ImportTrainingData(WriteTrainingData(20), true);
    app->Router().Execute(ID_TRAIN);
    ASSERT_TRUE(TrainsOnFrom(0));
    app->Progress().SetShowAfter(std::chrono::milliseconds(0));
    bool busyModal = false, held = false;
    const ModalResponder progress([&](QWidget& dialog) {
        const QCursor* pointer = QApplication::overrideCursor();
        busyModal = QApplication::activeModalWidget() == &dialog && pointer && pointer->shape() == Qt::WaitCursor;
        const uint32_t passesWhenShown = Passes();
        app->Idle()->Restart();
        held = RunEventsUntil([this] { return app->Idle()->IsHeldByModalLoop(); }) && Passes() == passesWhenShown;
    }, "CProgressDlg");
    SelectTrainingDataThroughDialog(WriteTrainingData(150000));
    EXPECT_EQ(Document().GetPatternsCount(), 150000);
    EXPECT_TRUE(progress.Answered() && busyModal && held);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(TrainsOnFrom(Passes()));
}

}  // namespace
