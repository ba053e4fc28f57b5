#include "framework/archive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

// An archive loading exactly the bytes given.
struct LoadingArchive {
    explicit LoadingArchive(const std::string& bytes) : stream(bytes), archive(stream, bytes.size()) {}
    std::istringstream stream;
    CArchive archive;
};

TEST(ArchiveTest, IntegersAreStoredLittleEndianAndLoadBack)
{
    struct Case {
        int32_t value;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {0, Bytes({0x00, 0x00, 0x00, 0x00})},
        {1, Bytes({0x01, 0x00, 0x00, 0x00})},
        {10922, Bytes({0xAA, 0x2A, 0x00, 0x00})},
        {0x12345678, Bytes({0x78, 0x56, 0x34, 0x12})},
        {-1, Bytes({0xFF, 0xFF, 0xFF, 0xFF})},
        {-2, Bytes({0xFE, 0xFF, 0xFF, 0xFF})},
        {std::numeric_limits<int32_t>::max(), Bytes({0xFF, 0xFF, 0xFF, 0x7F})},
        {std::numeric_limits<int32_t>::min(), Bytes({0x00, 0x00, 0x00, 0x80})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        std::ostringstream out(std::ios::binary);
        CArchive storing(out);
        EXPECT_TRUE(storing.IsStoring());
        EXPECT_FALSE(storing.IsLoading());
        storing << c.value;
        EXPECT_EQ(out.str(), c.bytes);

        LoadingArchive loading(c.bytes);
        EXPECT_TRUE(loading.archive.IsLoading());
        int32_t loaded = 0;
        loading.archive >> loaded;
        EXPECT_EQ(loaded, c.value);
        EXPECT_EQ(loading.archive.GetRemaining(), 0u);
    }
}

TEST(ArchiveTest, BytesAndRawBlocksTravelUnchanged)
{
    // Bytes a text-mode stream would alter: CR, LF, Ctrl-Z, NUL, and the high half.
    const std::string block = Bytes({0x0D, 0x0A, 0x1A, 0x00, 0x80, 0xFF, 0x0A});
    const std::vector<uint8_t> singles = {0x00, 0x0A, 0x7F, 0x80, 0xFF};

    std::ostringstream out(std::ios::binary);
    CArchive storing(out);
    for (uint8_t value : singles)
        storing << value;
    storing.Write(block.data(), block.size());
    storing << int32_t{-5};
    EXPECT_FALSE(storing.HasFailed());
    ASSERT_EQ(out.str().size(), singles.size() + block.size() + 4);

    LoadingArchive loading(out.str());
    for (uint8_t expected : singles) {
        uint8_t value = 0;
        loading.archive >> value;
        EXPECT_EQ(value, expected);
    }
    std::string loadedBlock(block.size(), '\0');
    EXPECT_EQ(loading.archive.Read(loadedBlock.data(), loadedBlock.size()), block.size());
    EXPECT_EQ(loadedBlock, block);
    int32_t last = 0;
    loading.archive >> last;
    EXPECT_EQ(last, -5);
}

TEST(ArchiveTest, GetRemainingCountsDownEveryRead)
{
    LoadingArchive loading(std::string(10, 'x'));
    EXPECT_EQ(loading.archive.GetRemaining(), 10u);
    int32_t integer = 0;
    loading.archive >> integer;
    EXPECT_EQ(loading.archive.GetRemaining(), 6u);
    uint8_t byte = 0;
    loading.archive >> byte;
    EXPECT_EQ(loading.archive.GetRemaining(), 5u);
    char block[3];
    loading.archive.Read(block, sizeof block);
    EXPECT_EQ(loading.archive.GetRemaining(), 2u);
}

TEST(ArchiveTest, ReadingAnIntegerOrABytePastTheEndThrows)
{
    for (size_t available = 0; available < 4; ++available) {
        SCOPED_TRACE(available);
        LoadingArchive loading(std::string(available, '\x01'));
        int32_t value = 0;
        EXPECT_THROW(loading.archive >> value, CArchiveException);
    }
    LoadingArchive empty("");
    uint8_t byte = 0;
    EXPECT_THROW(empty.archive >> byte, CArchiveException);

    LoadingArchive oneByte("\x01");
    oneByte.archive >> byte;
    EXPECT_THROW(oneByte.archive >> byte, CArchiveException);
}

TEST(ArchiveTest, TheLengthGivenBoundsTheLoadEvenWhenTheStreamHoldsMore)
{
    std::istringstream stream(std::string(8, '\x02'));
    CArchive archive(stream, 6);
    int32_t value = 0;
    archive >> value;
    EXPECT_EQ(archive.GetRemaining(), 2u);
    EXPECT_THROW(archive >> value, CArchiveException);
}

TEST(ArchiveTest, ARawBlockPastTheEndReturnsWhatRemains)
{
    struct Case {
        size_t available;
        size_t asked;
    };
    for (const Case c : {Case{0, 4}, Case{3, 10}, Case{10, 10}, Case{10, 4}}) {
        SCOPED_TRACE(testing::Message() << c.available << " bytes, " << c.asked << " asked");
        std::string bytes;
        for (size_t i = 0; i < c.available; ++i)
            bytes.push_back(static_cast<char>('a' + i));
        LoadingArchive loading(bytes);
        std::string block(c.asked, '#');
        const size_t got = loading.archive.Read(block.data(), block.size());
        const size_t expected = std::min(c.available, c.asked);
        EXPECT_EQ(got, expected);
        EXPECT_EQ(block.substr(0, got), bytes.substr(0, got));
        EXPECT_EQ(block.substr(got), std::string(c.asked - got, '#')) << "bytes past the end untouched";
        EXPECT_EQ(loading.archive.GetRemaining(), c.available - expected);
    }
}

TEST(ArchiveTest, AStreamShorterThanAnnouncedEndsTheLoadWhereItEnds)
{
    // The file shrank between measuring it and reading it.
    std::istringstream stream(std::string(5, '\x03'));
    CArchive archive(stream, 100);
    char block[16];
    EXPECT_EQ(archive.Read(block, sizeof block), 5u);
    EXPECT_EQ(archive.GetRemaining(), 0u);
    int32_t value = 0;
    EXPECT_THROW(archive >> value, CArchiveException);
}

TEST(ArchiveTest, AStoreIntoAFailedStreamIsReported)
{
    std::ofstream out("/nonexistent-directory/file.cvn", std::ios::binary);
    CArchive storing(out);
    storing << int32_t{1};
    EXPECT_TRUE(storing.HasFailed());
}

}  // namespace
