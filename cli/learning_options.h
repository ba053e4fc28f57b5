#pragma once

#include <cstdint>
#include <string>

#include "cli/arguments.h"
#include "document/learning_settings.h"

// The learning options that new and train share and store with the network: --rounding, and
// for train --keep-best, --no-keep-best, --validate, --every and --classes.

// The names --rounding takes, for the option table.
inline constexpr std::string_view RoundingChoices = "classic precise";

// The rounding's name as --rounding takes it and info prints it.
std::string_view RoundingName(Rounding rounding);

// Applies the options given in arguments to settings, for a network of outputs outputs. False,
// with the reason in error and settings untouched, when a value is refused.
bool ApplyLearningOptions(const ParsedArguments& arguments, int32_t outputs, LearningSettings& settings,
                          std::string& error);
