#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "document/settings_block.h"

void PrintTo(const LearningSettings& settings, std::ostream* out)
{
    *out << "{rounding " << static_cast<int>(settings.rounding) << ", keep best " << settings.keepBest.enabled
         << " every " << settings.keepBest.every << " on '" << settings.keepBest.validationPath << "', classes "
         << settings.classes << "}";
}

namespace {

std::string Word(uint32_t value)
{
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF),
                       static_cast<char>(value >> 16 & 0xFF), static_cast<char>(value >> 24 & 0xFF)};
}

// One entry: a 2-byte tag, a 4-byte size, the payload.
std::string Entry(uint16_t tag, const std::string& payload)
{
    return std::string{static_cast<char>(tag & 0xFF), static_cast<char>(tag >> 8)} +
           Word(static_cast<uint32_t>(payload.size())) + payload;
}

std::string Block(const std::string& entries)
{
    return "CvnS" + Word(static_cast<uint32_t>(entries.size())) + entries;
}

LearningSettings Precise()
{
    LearningSettings settings;
    settings.rounding = Rounding::Precise;
    return settings;
}

TEST(SettingsBlock, DefaultSettingsWriteNoBlock)
{
    EXPECT_EQ(EncodeSettingsBlock(LearningSettings()), "");
    const DecodedSettings decoded = DecodeSettingsBlock("");
    EXPECT_EQ(decoded.state, SettingsBlockState::Absent);
    EXPECT_EQ(decoded.settings, LearningSettings());
}

TEST(SettingsBlock, PreciseRoundingAloneIsOneEntry)
{
    EXPECT_EQ(EncodeSettingsBlock(Precise()), Block(Entry(1, "\x01")));
}

struct RoundTripRow {
    const char* name;
    LearningSettings settings;
};

class SettingsRoundTrip : public testing::TestWithParam<RoundTripRow> {};

TEST_P(SettingsRoundTrip, ReadsBackWhatWasWritten)
{
    const std::string block = EncodeSettingsBlock(GetParam().settings);
    ASSERT_FALSE(block.empty());
    // Whatever follows the block is not read.
    const DecodedSettings decoded = DecodeSettingsBlock(block + "trailing bytes");
    EXPECT_EQ(decoded.state, SettingsBlockState::Read);
    EXPECT_EQ(decoded.settings, GetParam().settings);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingsRoundTrip,
    testing::Values(RoundTripRow{"Precise", Precise()},
                    RoundTripRow{"KeepBest", {Rounding::Classic, {true, 0, ""}, 0}},
                    RoundTripRow{"EveryWithoutKeepBest", {Rounding::Classic, {false, 500, ""}, 0}},
                    RoundTripRow{"ValidationFile", {Rounding::Classic, {true, 0, "/data/iris-test.dat"}, 0}},
                    RoundTripRow{"Classes", {Rounding::Classic, {}, 3}},
                    RoundTripRow{"Everything", {Rounding::Precise, {true, 4294967295u, "held out.dat"}, MaxClassCount}}),
    [](const auto& row) { return std::string(row.param.name); });

struct DamagedRow {
    const char* name;
    std::string bytes;
};

class DamagedSettingsBlock : public testing::TestWithParam<DamagedRow> {};

TEST_P(DamagedSettingsBlock, IsIgnoredWithTheDefaultsKept)
{
    const DecodedSettings decoded = DecodeSettingsBlock(GetParam().bytes);
    EXPECT_EQ(decoded.state, SettingsBlockState::Ignored);
    EXPECT_EQ(decoded.settings, LearningSettings());
}

const std::string PreciseEntry = Entry(1, "\x01");

INSTANTIATE_TEST_SUITE_P(
    Blocks, DamagedSettingsBlock,
    testing::Values(DamagedRow{"SignatureOnly", "CvnS"},
                    DamagedRow{"LengthCut", "CvnS" + Word(7).substr(0, 3)},
                    DamagedRow{"LengthPastTheEnd", "CvnS" + Word(8) + PreciseEntry.substr(0, 6)},
                    DamagedRow{"AbsurdLength", "CvnS" + Word(0xFFFFFFFFu) + PreciseEntry},
                    DamagedRow{"LengthAboveTheMaximum",
                               Block(PreciseEntry + Entry(99, std::string(MaxSettingsBlockLength - 12, 'x')))},
                    DamagedRow{"EntryHeaderCut", Block(PreciseEntry + std::string("\x02\x00\x01", 3))},
                    DamagedRow{"EntryPastTheBlock", Block(PreciseEntry + Entry(5, Word(3)).substr(0, 9))},
                    DamagedRow{"EntrySizeAbsurd",
                               Block(std::string("\x01\x00", 2) + Word(0xFFFFFFF0u) + "\x01")}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SettingsBlock, EveryTruncationIsIgnoredOrAbsent)
{
    const std::string block = EncodeSettingsBlock({Rounding::Precise, {true, 500, "validate.dat"}, 3});
    for (size_t length = 0; length < block.size(); ++length) {
        const DecodedSettings decoded = DecodeSettingsBlock(std::string_view(block).substr(0, length));
        EXPECT_NE(decoded.state, SettingsBlockState::Read) << length;
        EXPECT_EQ(decoded.settings, LearningSettings()) << length;
    }
}

TEST(SettingsBlock, BytesWithoutTheSignatureAreNoBlock)
{
    for (const std::string bytes : {"C", "CvnX", "trailing junk of an older file", "cvns\x01"}) {
        const DecodedSettings decoded = DecodeSettingsBlock(bytes);
        EXPECT_EQ(decoded.state, SettingsBlockState::Absent) << bytes;
        EXPECT_EQ(decoded.settings, LearningSettings());
    }
}

TEST(SettingsBlock, UnknownTagsAreSkipped)
{
    const DecodedSettings decoded =
        DecodeSettingsBlock(Block(Entry(99, "a later setting") + Entry(1, "\x01") + Entry(0, "")));
    EXPECT_EQ(decoded.state, SettingsBlockState::Read);
    EXPECT_EQ(decoded.settings, Precise());
}

// A value this build cannot use keeps that one setting's default; the others are read.
TEST(SettingsBlock, UnusableValuesKeepTheirDefaults)
{
    const std::string entries = Entry(1, "\x02") + Entry(2, std::string("\x01\x00", 2)) + Entry(3, "\x05") + Entry(4, "") +
                                Entry(5, Word(1)) + Entry(5, Word(MaxClassCount + 1));
    const DecodedSettings unusable = DecodeSettingsBlock(Block(entries));
    EXPECT_EQ(unusable.state, SettingsBlockState::Read);
    EXPECT_EQ(unusable.settings, LearningSettings());

    const DecodedSettings mixed = DecodeSettingsBlock(Block(Entry(1, "\x07") + Entry(5, Word(3))));
    EXPECT_EQ(mixed.settings.rounding, Rounding::Classic);
    EXPECT_EQ(mixed.settings.classes, 3u);
}

}  // namespace
