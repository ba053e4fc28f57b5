#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Reads a field that holds a number of classes for outputs outputs: empty for none (0), else a
// whole number that the outputs can stand for. Nothing when the text is neither.
std::optional<int32_t> ReadClassCount(const QString& text, int32_t outputs);

// The text of a class count: empty for none.
QString ClassCountText(int64_t classes);

// The message for a field ReadClassCount refused.
QString ClassCountMessage(int32_t outputs);
