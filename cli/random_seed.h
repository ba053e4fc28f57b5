#pragma once

#include <optional>
#include <string>

#include "engine/random_source.h"

// Seeds the random source from the text of --seed when given, from the clock otherwise. False,
// with the reason in error and the source untouched, when the text is no unsigned integer.
bool SeedRandomSource(RandomSource& random, const std::optional<std::string>& seedText, std::string& error);

// Checks the text of --seed without seeding anything.
bool IsValidSeed(const std::optional<std::string>& seedText, std::string& error);
