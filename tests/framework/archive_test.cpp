#include "framework/archive.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// An archive told to load `announced` bytes from a stream holding bytes.
struct Loading {
    Loading(const std::string& bytes, uint64_t announced) : stream(bytes), archive(stream, announced) {}
    explicit Loading(const std::string& bytes) : Loading(bytes, bytes.size()) {}
    std::istringstream stream;
    CArchive archive;
};

TEST(ArchiveTest, IntegersAreLittleEndianAndBytesTravelUnchanged)
{
    // Bytes a text-mode stream would alter: CR, LF, Ctrl-Z, NUL and the high half.
    const std::string block("\r\n\x1A\0\x80", 5);
    std::ostringstream out;
    CArchive storing(out);
    storing << int32_t{0x12345678} << int32_t{-2} << INT32_MIN << uint8_t{0x0A} << uint8_t{0xFF};
    storing.Write(block.data(), block.size());
    EXPECT_FALSE(storing.HasFailed());
    EXPECT_EQ(out.str(), std::string("\x78\x56\x34\x12\xFE\xFF\xFF\xFF\0\0\0\x80\n\xFF", 14) + block);

    Loading in(out.str());
    int32_t ints[3] = {};
    uint8_t bytes[2] = {};
    std::string loaded(block.size(), '\0');
    in.archive >> ints[0] >> ints[1] >> ints[2] >> bytes[0] >> bytes[1];
    EXPECT_EQ(in.archive.Read(loaded.data(), loaded.size()), block.size());
    EXPECT_EQ(std::vector<int32_t>(ints, ints + 3), (std::vector<int32_t>{0x12345678, -2, INT32_MIN}));
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 2), (std::vector<uint8_t>{0x0A, 0xFF}));
    EXPECT_EQ(loaded, block);
}

TEST(ArchiveTest, AnIntegerOrABytePastTheEndThrows)
{
    for (size_t available = 0; available < 4; ++available) {
        Loading in(std::string(available, '\1'));
        int32_t value = 0;
        EXPECT_THROW(in.archive >> value, CArchiveException) << available;
    }
    Loading in("\1\1\1\1\1\1", 5);  // the announced length ends the load, not the stream
    int32_t value = 0;
    uint8_t byte = 0;
    in.archive >> value >> byte;
    EXPECT_THROW(in.archive >> byte, CArchiveException);
}

TEST(ArchiveTest, ABlockPastTheEndReturnsWhatRemains)
{
    struct Case {
        size_t held, announced, asked, got;
    };
    // The last case is a file that shrank after it was measured.
    for (const Case c : {Case{3, 3, 10, 3}, Case{10, 10, 4, 4}, Case{8, 6, 8, 6}, Case{5, 100, 16, 5}}) {
        SCOPED_TRACE(testing::Message() << c.held << " held, " << c.announced << " announced, " << c.asked << " asked");
        const std::string bytes = std::string("abcdefghij").substr(0, c.held);
        Loading in(bytes, c.announced);
        std::string block(c.asked, '#');
        EXPECT_EQ(in.archive.Read(block.data(), block.size()), c.got);
        EXPECT_EQ(block, bytes.substr(0, c.got) + std::string(c.asked - c.got, '#'));
        EXPECT_EQ(in.archive.GetRemaining(), c.got < c.asked ? 0 : c.announced - c.got);
    }
}

TEST(ArchiveTest, AStoreIntoAFailedStreamIsReported)
{
    std::ofstream out("/nonexistent-directory/file.cvn");
    CArchive storing(out);
    storing << int32_t{1};
    EXPECT_TRUE(storing.HasFailed());
}

}  // namespace
