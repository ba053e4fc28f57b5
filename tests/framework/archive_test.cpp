#include "framework/archive.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

TEST(ArchiveTest, IntegersAreLittleEndianAndBytesTravelUnchanged)
{
    // Bytes a text-mode stream would alter: CR, LF, Ctrl-Z, NUL and the high half.
    const std::string block("\r\n\x1A\0\x80", 5);
    std::ostringstream out;
    CArchive storing(out);
    storing << int32_t{0x12345678} << INT32_MIN << uint8_t{0xFF};
    storing.Write(block.data(), block.size());
    EXPECT_FALSE(storing.HasFailed());
    EXPECT_EQ(out.str(), std::string("\x78\x56\x34\x12\0\0\0\x80\xFF", 9) + block);

    std::istringstream in(out.str());
    CArchive loading(in, out.str().size());
    int32_t ints[2] = {};
    uint8_t byte = 0;
    std::string loaded(block.size(), '\0');
    loading >> ints[0] >> ints[1] >> byte;
    EXPECT_EQ(loading.Read(loaded.data(), loaded.size()), block.size());
    EXPECT_EQ(std::vector<int32_t>(ints, ints + 2), (std::vector<int32_t>{0x12345678, INT32_MIN}));
    EXPECT_EQ(byte, 0xFF);
    EXPECT_EQ(loaded, block);
    // The announced length ends the load, not the stream.
    EXPECT_THROW(loading >> byte, CArchiveException);
}

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
