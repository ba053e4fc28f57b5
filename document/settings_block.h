#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/learning_settings.h"

// The settings block: learning settings stored after a network file's average error, where
// readers of the plain layout never look. It is written only when some setting differs from its
// default, so a network with default settings keeps the plain layout byte for byte.
//
// Layout, little-endian:
//   4 bytes   signature "CvnS"
//   4 bytes   length of the entries that follow, at most MaxSettingsBlockLength
//   entries   each a 2-byte tag, a 4-byte payload size and the payload
// Tags (payload):
//   1 rounding          1 byte: 0 classic, 1 precise
//   2 keep best         1 byte: 0 off, 1 on
//   3 evaluate every    4 bytes: passes between evaluations, 0 for the default rule
//   4 validation file   the path's bytes, 1 to MaxValidationPathLength of them
//   5 classes           4 bytes: 0, or 2 to MaxClassCount
// Only settings that differ from their defaults are written, in tag order. A reader starts from
// the defaults, skips tags it does not know and keeps the default of a known tag whose payload it
// cannot use (a wrong size or an unknown value). A block whose entries do not fit its length, or
// whose length does not fit the bytes or exceeds the maximum, is ignored as a whole. Bytes after
// the block are ignored, as are bytes that do not begin with the signature.

inline constexpr std::string_view SettingsBlockSignature = "CvnS";
inline constexpr uint32_t MaxSettingsBlockLength = 1u << 20;
inline constexpr uint32_t MaxValidationPathLength = 65536;

// The block for settings, or "" when every setting has its default.
std::string EncodeSettingsBlock(const LearningSettings& settings);

// What the bytes after the average error held.
enum class SettingsBlockState {
    Absent,   // no block: the defaults
    Read,     // a block, read
    Ignored,  // a damaged block: the defaults
};

struct DecodedSettings {
    LearningSettings settings;
    SettingsBlockState state = SettingsBlockState::Absent;
};

// Reads the settings from the bytes that follow the average error; allocates nothing beyond the
// settings themselves, whatever the length fields claim.
DecodedSettings DecodeSettingsBlock(std::string_view bytes);
