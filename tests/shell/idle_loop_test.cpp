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

    // The counts of the calls made while the loop runs until there have been at least calls.
    std::vector<int32_t> NextCounts(size_t calls = 3)
    {
        counts.clear();
        EXPECT_TRUE(RunEventsUntil([&] { return counts.size() >= calls; }));
        return counts;
    }

    void MovePointerTo(QPoint place)
    {
        QMouseEvent move(QEvent::MouseMove, place, window.mapToGlobal(place), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&window, &move);
    }

    QWidget window;
    std::unique_ptr<IdleLoop> loop;
    std::vector<int32_t> counts;
    bool keepGoing = true;
};

TEST_F(IdleLoopTest, CountRisesFromZeroWhileTheHookAsksForMore)
{
    const std::vector<int32_t> seen = NextCounts(5);
    for (size_t index = 0; index < seen.size(); ++index)
        EXPECT_EQ(seen[index], static_cast<int32_t>(index));
}

TEST_F(IdleLoopTest, HookThatAsksForNoMoreWaitsForInput)
{
    keepGoing = false;
    EXPECT_EQ(NextCounts(1), std::vector<int32_t>{0});
    RunEventsFor(30);
    EXPECT_EQ(counts.size(), 1u);
    QTest::mouseClick(&window, Qt::LeftButton);
    EXPECT_EQ(NextCounts(1).front(), 0);
}

TEST_F(IdleLoopTest, UserInputRestartsTheCountButRepaintsTimersAndStillPointersDoNot)
{
    const struct {
        const char* name;
        std::function<void()> happen;
        bool restarts;
    } cases[] = {
        {"repaint", [&] { window.repaint(); }, false},
        {"update", [&] { window.update(); }, false},
        {"timer", [] { QTimer::singleShot(0, [] {}); }, false},
        {"pointer moved", [&] { MovePointerTo({10, 10}); }, true},
        {"pointer still", [&] { MovePointerTo({10, 10}); }, false},
        {"key", [&] { QTest::keyClick(&window, Qt::Key_A); }, true},
        {"click", [&] { QTest::mouseClick(&window, Qt::LeftButton, {}, {20, 20}); }, true},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        NextCounts();
        counts.clear();
        each.happen();
        RunEventsFor(10);
        ASSERT_TRUE(RunEventsUntil([&] { return counts.size() >= 3; }));
        EXPECT_EQ(std::count(counts.begin(), counts.end(), 0) != 0, each.restarts);
    }
}

}  // namespace
