#include "document/settings_block.h"
#include "tests/document/document_fixture.h"

namespace {

// One entry: a 2-byte tag, a 4-byte size, the payload.
std::string Entry(uint16_t tag, const std::string& payload)
{
    return std::string(reinterpret_cast<const char*>(&tag), 2) + Ints({static_cast<int32_t>(payload.size())}) + payload;
}

std::string Block(const std::string& entries)
{
    return "CvnS" + Ints({static_cast<int32_t>(entries.size())}) + entries;
}

const LearningSettings Precise{Rounding::Precise, {}, 0};

TEST(SettingsBlock, DefaultSettingsWriteNoBlockAndPreciseRoundingOneEntry)
{
    EXPECT_EQ(EncodeSettingsBlock(LearningSettings()), "");
    EXPECT_EQ(EncodeSettingsBlock(Precise), Block(Entry(1, "\x01")));
}

struct DecodeRow {
    const char* name;
    std::string bytes;
    SettingsBlockState state;
    LearningSettings settings;
};
PRINTS_AS_NAME(DecodeRow)

// Settings as written, with bytes after them that are not read.
DecodeRow RoundTrip(const char* name, const LearningSettings& settings)
{
    return {name, EncodeSettingsBlock(settings) + "trailing bytes", SettingsBlockState::Read, settings};
}

class DecodeSettings : public testing::TestWithParam<DecodeRow> {};

// Written settings read back as they were; a damaged block is ignored whole; within a sound one,
// unknown tags are skipped and a value this build cannot use keeps that one setting's default.
TEST_P(DecodeSettings, ReadsWhatItCanUse)
{
    const DecodedSettings decoded = DecodeSettingsBlock(GetParam().bytes);
    EXPECT_EQ(decoded.state, GetParam().state);
    EXPECT_EQ(decoded.settings, GetParam().settings);
}

const std::string PreciseEntry = Entry(1, "\x01");
using enum SettingsBlockState;

INSTANTIATE_TEST_SUITE_P(
    Blocks, DecodeSettings,
    testing::Values(RoundTrip("Precise", Precise),
                    RoundTrip("KeepBest", {Rounding::Classic, {true, 0, ""}, 0}),
                    RoundTrip("EveryWithoutKeepBest", {Rounding::Classic, {false, 500, ""}, 0}),
                    RoundTrip("ValidationFile", {Rounding::Classic, {true, 0, "/data/iris-test.dat"}, 0}),
                    RoundTrip("Classes", {Rounding::Classic, {}, 3}),
                    RoundTrip("Everything", {Rounding::Precise, {true, 4294967295u, "held out.dat"}, MaxClassCount}),
                    DecodeRow{"Nothing", "", Absent, {}},
                    DecodeRow{"OtherSignature", "CvnX", Absent, {}},
                    DecodeRow{"SignatureInOtherCase", "cvns\x01", Absent, {}},
                    DecodeRow{"SignatureOnly", "CvnS", Ignored, {}},
                    DecodeRow{"LengthPastTheEnd", "CvnS" + Ints({8}) + PreciseEntry.substr(0, 6), Ignored, {}},
                    DecodeRow{"AbsurdLength", "CvnS" + Ints({-1}) + PreciseEntry, Ignored, {}},
                    DecodeRow{"LengthAboveTheMaximum",
                              Block(PreciseEntry + Entry(99, std::string(MaxSettingsBlockLength - 12, 'x'))), Ignored, {}},
                    DecodeRow{"EntryHeaderCut", Block(PreciseEntry + std::string("\x02\x00\x01", 3)), Ignored, {}},
                    DecodeRow{"EntryPastTheBlock", Block(PreciseEntry + Entry(5, Ints({3})).substr(0, 9)), Ignored, {}},
                    DecodeRow{"EntrySizeAbsurd", Block(std::string("\x01\x00", 2) + Ints({-16}) + "\x01"), Ignored, {}},
                    DecodeRow{"UnknownTags", Block(Entry(99, "a later setting") + PreciseEntry + Entry(0, "")), Read, Precise},
                    DecodeRow{"UnusableValues",
                              Block(Entry(1, "\x02") + Entry(2, std::string("\x01\x00", 2)) + Entry(3, "\x05") + Entry(4, "") +
                                    Entry(5, Ints({1})) + Entry(5, Ints({MaxClassCount + 1}))),
                              Read, {}},
                    DecodeRow{"UnusableRoundingUsableClasses", Block(Entry(1, "\x07") + Entry(5, Ints({3}))), Read, {Rounding::Classic, {}, 3}}),
    RowName());

TEST(SettingsBlock, EveryTruncationIsIgnoredOrAbsent)
{
    const std::string block = EncodeSettingsBlock({Rounding::Precise, {true, 500, "validate.dat"}, 3});
    for (size_t length = 0; length < block.size(); ++length) {
        const DecodedSettings decoded = DecodeSettingsBlock(std::string_view(block).substr(0, length));
        EXPECT_NE(decoded.state, SettingsBlockState::Read) << length;
        EXPECT_EQ(decoded.settings, LearningSettings()) << length;
    }
}

}  // namespace
