#include <QMouseEvent>
#include <QWidget>
#include <vector>

#include "shell_fixture.h"

namespace {

// An idle loop whose hook records the counts it is called with.
class IdleLoopTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.resize(100, 100);
        window.show();
        RunEventsFor(20);
        loop = std::make_unique<IdleLoop>([this](int32_t count) {
            counts.push_back(count);
            return keepGoing;
        });
    }

    // The counts seen since the last call.
    std::vector<int32_t> TakeCounts()
    {
        std::vector<int32_t> seen;
        seen.swap(counts);
        return seen;
    }

    QWidget window;
    std::unique_ptr<IdleLoop> loop;
    std::vector<int32_t> counts;
    bool keepGoing = true;
};

TEST_F(IdleLoopTest, CountRisesWhileTheHookAsksForMore)
{
    RunEventsFor(30);
    const std::vector<int32_t> seen = TakeCounts();
    ASSERT_GT(seen.size(), 3u);
    for (size_t index = 0; index < seen.size(); ++index)
        EXPECT_EQ(seen[index], static_cast<int32_t>(index));
}

TEST_F(IdleLoopTest, StopsWhenTheHookAsksForNoMoreUntilInput)
{
    keepGoing = false;
    RunEventsFor(30);
    EXPECT_EQ(TakeCounts(), std::vector<int32_t>{0});
    QTest::mouseClick(&window, Qt::LeftButton);
    RunEventsFor(30);
    const std::vector<int32_t> seen = TakeCounts();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0);
}

TEST_F(IdleLoopTest, InputRestartsTheCountButRepaintsAndStillMovesDoNot)
{
    RunEventsFor(20);
    TakeCounts();
    window.repaint();
    window.update();
    RunEventsFor(20);
    std::vector<int32_t> seen = TakeCounts();
    ASSERT_FALSE(seen.empty());
    EXPECT_GT(seen.front(), 0);

    QMouseEvent moved(QEvent::MouseMove, QPointF(10, 10), window.mapToGlobal(QPointF(10, 10)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &moved);
    RunEventsFor(10);
    TakeCounts();
    // The same position again is no input.
    QMouseEvent still(QEvent::MouseMove, QPointF(10, 10), window.mapToGlobal(QPointF(10, 10)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &still);
    RunEventsFor(10);
    seen = TakeCounts();
    ASSERT_FALSE(seen.empty());
    EXPECT_GT(seen.front(), 0);

    QTest::keyClick(&window, Qt::Key_A);
    RunEventsFor(10);
    seen = TakeCounts();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0);
}

TEST_F(IdleLoopTest, NoCallsWhileAModalDialogRuns)
{
    size_t callsInside = 0;
    const ModalResponder responder1([&](QWidget& dialog) {
        TakeCounts();
        RunEventsFor(100);
        callsInside = TakeCounts().size();
        static_cast<QDialog&>(dialog).reject();
    });
    QDialog dialog(&window);
    dialog.exec();
    EXPECT_EQ(callsInside, 0u);
    RunEventsFor(100);
    EXPECT_FALSE(TakeCounts().empty());
}

}  // namespace
