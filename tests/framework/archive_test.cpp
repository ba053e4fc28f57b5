#include "framework/archive.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// The byte layout itself is checked by the golden files; here, the ends of a load and a failed store.
TEST(ArchiveTest, AnIntegerPastTheEndThrowsAndABlockReturnsWhatRemains)
{
    std::istringstream three("\1\1\1");
    CArchive short3(three, 3);
    int32_t value = 0;
    EXPECT_THROW(short3 >> value, CArchiveException);
    // Held, announced, asked, got: the last is a file that shrank after it was measured.
    for (const auto& [held, announced, asked, got] : {std::tuple{3, 3, 10, 3}, {8, 6, 8, 6}, {5, 100, 16, 5}}) {
        std::istringstream in(std::string("abcdefghij").substr(0, static_cast<size_t>(held)));
        CArchive loading(in, static_cast<uint64_t>(announced));
        std::string block(static_cast<size_t>(asked), '#');
        EXPECT_EQ(loading.Read(block.data(), block.size()), static_cast<size_t>(got)) << announced;
        EXPECT_EQ(loading.GetRemaining(), 0u);
    }
    std::ofstream failed("/nonexistent-directory/file.cvn");
    CArchive storing(failed);
    storing << int32_t{1};
    EXPECT_TRUE(storing.HasFailed());
}

}  // namespace
