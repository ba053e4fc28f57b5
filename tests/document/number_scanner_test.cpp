#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <random>
#include <string>
#include <vector>

#include "document/number_reader.h"
#include "document/number_text.h"
#include "tests/framework/temp_dir.h"

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
    stop = reader.Stop();
    return values;
}

// The reader keeps 64 KiB and the longest token in its buffer: its first block ends here.
constexpr size_t FirstBlockEnd = (size_t{1} << 16) + NumberReader::MaxTokenLength;

}  // namespace

// Tokens at the edges of the exact fast path: each must read as the double from_chars gives,
// followed by a blank and at the very end of the file.
class DecimalTokenTest : public testing::TestWithParam<const char*> {};

TEST_P(DecimalTokenTest, ReadsAsFromChars)
{
    const std::string token = GetParam();
    SCOPED_TRACE(token);
    for (const std::string& text : {token + "\n", token}) {
        ReadingStop stop;
        EXPECT_EQ(ReadAll(text, stop), std::vector<uint64_t>{FromCharsBits(token)});
        EXPECT_FALSE(stop.IsEarly());
    }
}

INSTANTIATE_TEST_SUITE_P(
    FastPathEdges, DecimalTokenTest,
    testing::Values("9007199254740992", "9007199254740993", "-9007199254740993", "900719925474099.3",
                    "9007199254740993e-5", "1e22", "1e23", "1e-22", "1e-23", "1.5e23", "15e-24", "0.1e-21",
                    "123456789012345678e-3", "1234567890123456789", "12345678901234567890",
                    "18446744073709551616", "-0", "-0.0e5", "+0.5", "0.30000000000000004",
                    "0.000000000000000000001", "00000000000000000001.5", "1e0000000000000000000000000000000022",
                    "7.", ".7", "1.7976931348623157e308", "4.9e-324"));

TEST(NumberScannerTest, RandomDecimalsReadAsFromCharsAcrossBlocks)
{
    std::mt19937_64 random(12);
    const auto digits = [&random](uint64_t most) {
        std::string text(random() % most + 1, '0');
        for (char& digit : text)
            digit = static_cast<char>('0' + random() % 10);
        return text;
    };
    const char* blanks[] = {" ", "\n", "\t", "\r\n", "  "};
    std::string text;
    std::vector<uint64_t> expected;
    while (text.size() < 4 * FirstBlockEnd) {
        std::string token = random() % 3 == 0 ? "-" : "";
        token += digits(20);
        if (random() % 2 == 0) {
            token += '.';
            token += digits(12);
        }
        if (random() % 3 == 0) {
            token += random() % 2 == 0 ? "e-" : "e";
            token += std::to_string(random() % 40);
        }
        expected.push_back(FromCharsBits(token));
        text += token + blanks[random() % 5];
    }
    ReadingStop stop;
    EXPECT_EQ(ReadAll(text, stop), expected);
    EXPECT_FALSE(stop.IsEarly());
}

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

INSTANTIATE_TEST_SUITE_P(Lengths, BlockEndTest, testing::Range(FirstBlockEnd - 6, FirstBlockEnd + 7),
                         [](const testing::TestParamInfo<size_t>& length) {
                             return "Bytes" + std::to_string(length.param);
                         });
