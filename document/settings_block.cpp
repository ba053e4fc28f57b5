#include "document/settings_block.h"

#include <optional>

namespace {

enum class Tag : uint16_t {
    Rounding = 1,
    KeepBest = 2,
    EvaluateEvery = 3,
    ValidationPath = 4,
    Classes = 5,
};

constexpr size_t EntryHeaderSize = 6;

void AppendLittleEndian(std::string& bytes, uint32_t value, int size)
{
    for (int k = 0; k < size; ++k)
        bytes.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
}

uint32_t ReadLittleEndian(std::string_view bytes, size_t offset, int size)
{
    uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | static_cast<uint8_t>(bytes[offset + static_cast<size_t>(k)]);
    return value;
}

void AppendEntry(std::string& entries, Tag tag, std::string_view payload)
{
    AppendLittleEndian(entries, static_cast<uint16_t>(tag), 2);
    AppendLittleEndian(entries, static_cast<uint32_t>(payload.size()), 4);
    entries.append(payload);
}

std::string Word(uint32_t value)
{
    std::string bytes;
    AppendLittleEndian(bytes, value, 4);
    return bytes;
}

std::string Byte(uint8_t value)
{
    return std::string(1, static_cast<char>(value));
}

std::optional<uint8_t> ByteOf(std::string_view payload, uint8_t largest)
{
    if (payload.size() != 1 || static_cast<uint8_t>(payload[0]) > largest)
        return std::nullopt;
    return static_cast<uint8_t>(payload[0]);
}

std::optional<uint32_t> WordOf(std::string_view payload)
{
    if (payload.size() != 4)
        return std::nullopt;
    return ReadLittleEndian(payload, 0, 4);
}

bool IsClassCountStorable(uint32_t classes)
{
    return classes == 0 || (classes >= 2 && classes <= MaxClassCount);
}

// Applies one entry to settings when its payload is usable; anything else keeps the default.
void ApplyEntry(uint16_t tag, std::string_view payload, LearningSettings& settings)
{
    switch (static_cast<Tag>(tag)) {
    case Tag::Rounding:
        if (const auto value = ByteOf(payload, 1))
            settings.rounding = static_cast<Rounding>(*value);
        break;
    case Tag::KeepBest:
        if (const auto value = ByteOf(payload, 1))
            settings.keepBest.enabled = *value == 1;
        break;
    case Tag::EvaluateEvery:
        if (const auto value = WordOf(payload))
            settings.keepBest.every = *value;
        break;
    case Tag::ValidationPath:
        if (!payload.empty() && payload.size() <= MaxValidationPathLength)
            settings.keepBest.validationPath = std::string(payload);
        break;
    case Tag::Classes:
        if (const auto value = WordOf(payload); value && IsClassCountStorable(*value))
            settings.classes = *value;
        break;
    }
}

}  // namespace

std::string EncodeSettingsBlock(const LearningSettings& settings)
{
    const LearningSettings defaults;
    if (settings == defaults)
        return {};
    std::string entries;
    if (settings.rounding != defaults.rounding)
        AppendEntry(entries, Tag::Rounding, Byte(static_cast<uint8_t>(settings.rounding)));
    const KeepBestSettings& keepBest = settings.keepBest;
    if (keepBest.enabled != defaults.keepBest.enabled)
        AppendEntry(entries, Tag::KeepBest, Byte(keepBest.enabled ? 1 : 0));
    if (keepBest.every != defaults.keepBest.every)
        AppendEntry(entries, Tag::EvaluateEvery, Word(keepBest.every));
    // A path too long to be read back is left out rather than cut to another path.
    if (!keepBest.validationPath.empty() && keepBest.validationPath.size() <= MaxValidationPathLength)
        AppendEntry(entries, Tag::ValidationPath, keepBest.validationPath);
    if (settings.classes != defaults.classes && IsClassCountStorable(settings.classes))
        AppendEntry(entries, Tag::Classes, Word(settings.classes));

    std::string block(SettingsBlockSignature);
    AppendLittleEndian(block, static_cast<uint32_t>(entries.size()), 4);
    return block + entries;
}

DecodedSettings DecodeSettingsBlock(std::string_view bytes)
{
    DecodedSettings decoded;
    const size_t headerSize = SettingsBlockSignature.size() + 4;
    if (!bytes.starts_with(SettingsBlockSignature))
        return decoded;
    decoded.state = SettingsBlockState::Ignored;
    if (bytes.size() < headerSize)
        return decoded;
    const uint32_t length = ReadLittleEndian(bytes, SettingsBlockSignature.size(), 4);
    if (length > MaxSettingsBlockLength || length > bytes.size() - headerSize)
        return decoded;
    const std::string_view entries = bytes.substr(headerSize, length);

    // The whole block is checked before any entry is applied, so a damaged one changes nothing.
    for (size_t offset = 0; offset < entries.size();) {
        if (entries.size() - offset < EntryHeaderSize)
            return decoded;
        const uint32_t size = ReadLittleEndian(entries, offset + 2, 4);
        if (size > entries.size() - offset - EntryHeaderSize)
            return decoded;
        offset += EntryHeaderSize + size;
    }
    LearningSettings settings;
    for (size_t offset = 0; offset < entries.size();) {
        const auto tag = static_cast<uint16_t>(ReadLittleEndian(entries, offset, 2));
        const uint32_t size = ReadLittleEndian(entries, offset + 2, 4);
        ApplyEntry(tag, entries.substr(offset + EntryHeaderSize, size), settings);
        offset += EntryHeaderSize + size;
    }
    decoded.settings = settings;
    decoded.state = SettingsBlockState::Read;
    return decoded;
}
