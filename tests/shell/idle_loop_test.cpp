#include <QMouseEvent>
#include <numeric>
#include <vector>

#include "shell_fixture.h"

namespace {

void MovePointer(QWidget& window, QPoint place)
{
    QMouseEvent move(QEvent::MouseMove, place, window.mapToGlobal(place), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
}

// An idle loop whose hook records the counts it is called with.
class IdleLoopTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.resize(100, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The counts of the calls made until there have been at least calls.
    std::vector<int32_t> NextCounts(size_t calls)
    {
        counts.clear();
        EXPECT_TRUE(RunEventsUntil([&] { return counts.size() >= calls; }));
        return counts;
    }

    QWidget window;
    std::vector<int32_t> counts;
    bool keepGoing = true;
    IdleLoop loop{[this](int32_t count) {
        counts.push_back(count);
        return keepGoing;
    }};
};

TEST_F(IdleLoopTest, CountRisesFromZeroWhileTheHookAsksForMoreThenWaitsForInput)
{
    const std::vector<int32_t> rising = NextCounts(5);
    std::vector<int32_t> expected(rising.size());
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(rising, expected);
    keepGoing = false;
    loop.Restart();
    EXPECT_EQ(NextCounts(1), std::vector<int32_t>{0});
    EXPECT_TRUE(RunEventsUntil([&] { return !loop.IsRunning(); }));
    EXPECT_EQ(counts.size(), 1u);
    QTest::mouseClick(&window, Qt::LeftButton);
    EXPECT_EQ(NextCounts(1).front(), 0);
}

struct HappeningRow {
    const char* name;
    void (*happen)(QWidget&);
    bool restarts;
};
PRINTS_AS_NAME(HappeningRow)

class IdleRestartTest : public IdleLoopTest, public testing::WithParamInterface<HappeningRow> {};

// User input restarts the count; repaints, timers and a pointer that did not move do not.
TEST_P(IdleRestartTest, OnlyUserInputRestartsTheCount)
{
    MovePointer(window, {10, 10});
    NextCounts(3);
    counts.clear();
    GetParam().happen(window);
    ASSERT_TRUE(RunEventsUntil([&] { return counts.size() >= 3; }));
    EXPECT_EQ(std::count(counts.begin(), counts.end(), 0) != 0, GetParam().restarts);
}

INSTANTIATE_TEST_SUITE_P(
    Happenings, IdleRestartTest,
    testing::Values(HappeningRow{"Repaint", [](QWidget& w) { w.repaint(); }, false},
                    HappeningRow{"Update", [](QWidget& w) { w.update(); }, false},
                    HappeningRow{"Timer", [](QWidget&) { QTimer::singleShot(0, [] {}); }, false},
                    HappeningRow{"PointerStill", [](QWidget& w) { MovePointer(w, {10, 10}); }, false},
                    HappeningRow{"PointerMoved", [](QWidget& w) { MovePointer(w, {30, 30}); }, true},
                    HappeningRow{"Key", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_A); }, true},
                    HappeningRow{"Click", [](QWidget& w) { QTest::mouseClick(&w, Qt::LeftButton, {}, {20, 20}); }, true}),
    RowName());

}  // namespace
