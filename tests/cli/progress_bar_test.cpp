#include "cli/progress_bar.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {

// The states the bar was drawn in, one per carriage return; the text must end the line.
std::vector<std::string> Frames(const std::string& text)
{
    EXPECT_EQ(text.back(), '\n');
    std::vector<std::string> frames;
    std::istringstream in(text.substr(0, text.size() - 1));
    for (std::string frame; std::getline(in, frame, '\r');)
        if (!frame.empty())
            frames.push_back(frame);
    return frames;
}

class ProgressBarTest : public testing::TestWithParam<uint64_t> {};

TEST_P(ProgressBarTest, DrawsEachWholePercentageOnceAtItsFirstStepAndEndsFull)
{
    const uint64_t total = GetParam();
    std::ostringstream out;
    ProgressBar bar(out, total);
    for (uint64_t done = 1; done <= total; ++done)
        bar.Update(done);
    bar.Finish();

    const std::vector<std::string> frames = Frames(out.str());
    ASSERT_EQ(frames.size(), std::min<uint64_t>(total, 100) + 1);
    const std::regex shape(R"(\[([# ]{40})\] +(\d+)% (\d+)/(\d+))");
    for (const std::string& frame : frames) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(frame, match, shape)) << frame;
        const uint64_t percent = std::stoull(match[2]);
        const uint64_t done = std::stoull(match[3]);
        EXPECT_TRUE(done == 0 || (done - 1) * 100 / total < percent) << frame;
        EXPECT_EQ(percent, done * 100 / total) << frame;
        EXPECT_EQ(std::stoull(match[4]), total);
        EXPECT_EQ(match[1].str().find(' '), done * ProgressBar::Width / total == 40 ? std::string::npos : done * 40 / total);
    }
    EXPECT_EQ(frames.back(), std::string("[").append(40, '#').append("] 100% ") + std::to_string(total) + "/" +
                                 std::to_string(total));
}

INSTANTIATE_TEST_SUITE_P(Totals, ProgressBarTest, testing::Values(1, 7, 12345),
                         [](const testing::TestParamInfo<uint64_t>& row) { return "Total" + std::to_string(row.param); });

TEST(HugeProgressBarTest, TheHalfwayPercentageDoesNotOverflow)
{
    std::ostringstream out;
    ProgressBar bar(out, UINT64_MAX);
    bar.Update(UINT64_MAX / 2);
    bar.Finish();
    const std::vector<std::string> frames = Frames(out.str());
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_TRUE(std::regex_match(frames[1], std::regex(R"(\[#{19,20} {20,21}\] +(49|50)% \d+/18446744073709551615)")))
        << frames[1];
}

}  // namespace
