#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <string>
#include <tuple>
#include <vector>

#include "document/number_reader.h"
#include "document/number_text.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/rows.h"

namespace {

// The double std::from_chars makes of a token the reader accepts, as bits.
uint64_t FromCharsBits(const std::string& token)
{
    const size_t skip = token[0] == '+' ? 1 : 0;
    double value = 0;
    std::from_chars(token.data() + skip, token.data() + token.size(), value);
    return std::bit_cast<uint64_t>(value);
}

// Every value the reader gives for the file's text, as bits, and how reading ended.
std::vector<uint64_t> ReadAll(const std::string& text, ReadingStop& stop)
{
    TempDir folder;
    WriteFile(folder.Path("n.txt"), text);
    NumberReader reader(folder.Path("n.txt"));
    std::vector<uint64_t> values;
    double value = 0;
    while (reader.Next(value))
        values.push_back(std::bit_cast<uint64_t>(value));
    EXPECT_FALSE(reader.Next(value)) << "reading has ended for good";
    stop = reader.Stop();
    return values;
}

// The reader keeps 64 KiB and the longest token in its buffer: its first block ends here.
constexpr size_t FirstBlockEnd = (size_t{1} << 16) + NumberReader::MaxTokenLength;

}  // namespace

// Tokens at the edges of the exact fast path: each must read as the double from_chars gives,
// followed by a line break and at the very end of the file.
class DecimalTokenTest : public testing::TestWithParam<const char*> {};

TEST_P(DecimalTokenTest, ReadsAsFromChars)
{
    const std::string token = GetParam();
    ReadingStop stop;
    EXPECT_EQ(ReadAll(token + "\n" + token, stop), std::vector<uint64_t>(2, FromCharsBits(token)));
    EXPECT_FALSE(stop.IsEarly());
}

INSTANTIATE_TEST_SUITE_P(
    FastPathEdges, DecimalTokenTest,
    testing::Values("9007199254740992", "9007199254740993", "-9007199254740993", "900719925474099.3",
                    "9007199254740993e-5", "1e22", "1e23", "1e-22", "1e-23", "1.5e23", "15e-24", "0.1e-21",
                    "123456789012345678e-3", "1234567890123456789", "12345678901234567890",
                    "18446744073709551616", "-0", "-0.0e5", "+0.5", "0.30000000000000004",
                    "0.000000000000000000001", "00000000000000000001.5", "1e0000000000000000000000000000000022",
                    "7.", ".7", "1.7976931348623157e308", "4.9e-324"));

class BlockEndTest : public testing::TestWithParam<size_t> {};

// Sevens on lines of their own up to a length about the end of the first block, then 123 with
// no line break: read whole at the end of the file, and refused whole before a letter.
TEST_P(BlockEndTest, ReadingEndsAlikeWhereverABlockEnds)
{
    const size_t length = GetParam();
    std::string text;
    size_t sevens = 0;
    for (; text.size() + 2 <= length - 3; ++sevens)
        text += "7\n";
    text.resize(length - 3, ' ');
    ReadingStop stop;
    std::vector<uint64_t> values = ReadAll(text + "123", stop);
    ASSERT_EQ(values.size(), sevens + 1);
    EXPECT_EQ(values.back(), std::bit_cast<uint64_t>(123.0));
    EXPECT_FALSE(stop.IsEarly());

    values = ReadAll(text + "123x 5\n", stop);
    EXPECT_EQ(values.size(), sevens);
    EXPECT_EQ(stop.cause, ReadingStop::Cause::NotANumber);
    EXPECT_EQ(stop.line, static_cast<int64_t>(sevens) + 1);
    EXPECT_EQ(stop.detail, "123x");
}

INSTANTIATE_TEST_SUITE_P(Bytes, BlockEndTest, testing::Range(FirstBlockEnd - 6, FirstBlockEnd + 7),
                         testing::PrintToStringParamName());

struct StopRow {
    const char* name;
    std::string text;
    size_t count;
    ReadingStop::Cause cause;
    int64_t line;
    std::string detail;
};
PRINTS_AS_NAME(StopRow)

class ReadingStopTest : public testing::TestWithParam<StopRow> {};

// Reading ends at the first byte no number has, or at the longest token, and says where.
TEST_P(ReadingStopTest, SaysWhereReadingEnded)
{
    ReadingStop stop;
    EXPECT_EQ(ReadAll(GetParam().text, stop).size(), GetParam().count);
    EXPECT_EQ(std::tuple(stop.cause, stop.line, stop.detail), std::tuple(GetParam().cause, GetParam().line, GetParam().detail));
}

using enum ReadingStop::Cause;
const std::string longest(NumberReader::MaxTokenLength, '0');
INSTANTIATE_TEST_SUITE_P(
    Files, ReadingStopTest,
    testing::Values(StopRow{"ByteOrderMark", "\xEF\xBB\xBF" "1 2", 2, EndOfFile, 1, ""},
                    StopRow{"LateByteOrderMark", "1 \xEF\xBB\xBF" "2", 1, NotANumber, 1, "\\xEF\\xBB\\xBF2"},
                    StopRow{"CommaOnLineThree", "1\n2\r\n3,5 4", 2, NotANumber, 3, "3,5"},
                    StopRow{"Nuls", std::string("5").append(3, '\0'), 0, NotANumber, 1, "5\\x00\\x00\\x00"},
                    StopRow{"LongestToken", std::string(longest).append(" 3"), 2, EndOfFile, 1, ""},
                    StopRow{"TooLongToken", std::string(longest).append("1 3"), 0, NotANumber, 1, std::string(32, '0')},
                    StopRow{"DigitsWithoutEnd", std::string(200000, '7'), 0, NotANumber, 1, std::string(32, '7')},
                    StopRow{"Quotes", "\"quoted\\", 0, NotANumber, 1, "\\x22quoted\\x5C"},
                    // Tokens no decimal reading takes, beyond the fast path or not.
                    StopRow{"LongExponent", "1 1e" + longest + "1 2", 1, NotANumber, 1, "1e" + std::string(30, '0')},
                    StopRow{"Overflow", "1 1e400 2", 1, NotANumber, 1, "1e400"},
                    StopRow{"LoneSign", "1 - 2", 1, NotANumber, 1, "-"},
                    StopRow{"TrailingLetters", "1 1.5abc 2", 1, NotANumber, 1, "1.5abc"},
                    StopRow{"Hexadecimal", "1 0x1p3 2", 1, NotANumber, 1, "0x1p3"},
                    StopRow{"NotANumber", "1 nan 2", 1, NotANumber, 1, "nan"}),
    RowName());

