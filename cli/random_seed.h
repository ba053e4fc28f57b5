#pragma once

#include <optional>
#include <string>

// Seeds the random source from the text of --seed when given, from the clock otherwise. False,
// with the reason in error and the source untouched, when the text is no unsigned integer.
bool SeedRandomSource(const std::optional<std::string>& seedText, std::string& error);

// Checks the text of --seed without seeding anything.
bool IsValidSeed(const std::optional<std::string>& seedText, std::string& error);
