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

TEST(ProgressBarTest, DrawsEachWholePercentageOnceAndEndsFull)
{
    for (const uint64_t total : {uint64_t{1}, uint64_t{7}, uint64_t{12345}}) {
        SCOPED_TRACE(total);
        std::ostringstream out;
        ProgressBar bar(out, total);
        for (uint64_t done = 1; done <= total; ++done)
            bar.Update(done);
        bar.Finish();

        const std::vector<std::string> frames = Frames(out.str());
        ASSERT_EQ(frames.size(), std::min<uint64_t>(total, 100) + 1) << "every whole percentage is drawn";
        const std::regex shape(R"(\[([# ]{40})\] +(\d+)% (\d+)/(\d+))");
        int previousPercent = -1;
        for (const std::string& frame : frames) {
            std::smatch match;
            ASSERT_TRUE(std::regex_match(frame, match, shape)) << frame;
            const int percent = std::stoi(match[2]);
            const uint64_t done = std::stoull(match[3]);
            EXPECT_GT(percent, previousPercent) << "a frame is drawn only when the percentage changes";
            EXPECT_TRUE(done == 0 || (done - 1) * 100 / total < uint64_t(percent)) << "and at its first step";
            EXPECT_EQ(percent, static_cast<int>(done * 100 / total));
            EXPECT_EQ(std::stoull(match[4]), total);
            const auto filled = static_cast<size_t>(done * ProgressBar::Width / total);
            EXPECT_EQ(match[1].str(), std::string(filled, '#') + std::string(40 - filled, ' '));
            previousPercent = percent;
        }
        const std::string count = std::to_string(total);
        EXPECT_EQ(frames.front(), std::string("[").append(40, ' ').append("]   0% 0/").append(count));
        EXPECT_EQ(frames.back(), std::string("[").append(40, '#').append("] 100% ").append(count + "/" + count));
    }
}

TEST(ProgressBarTest, HugeTotalsDoNotOverflowThePercentage)
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
