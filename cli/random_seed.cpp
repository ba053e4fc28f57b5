#include "cli/random_seed.h"

#include "cli/number_parsing.h"
#include "engine/random_draw.h"

bool IsValidSeed(const std::optional<std::string>& seedText, std::string& error)
{
    if (seedText && !ParseUnsigned(*seedText)) {
        error = "--seed: '" + *seedText + "' is not an unsigned integer below 2^64";
        return false;
    }
    return true;
}

bool SeedRandomSource(const std::optional<std::string>& seedText, std::string& error)
{
    if (!IsValidSeed(seedText, error))
        return false;
    if (seedText)
        SeedRandomDraw(*ParseUnsigned(*seedText));
    else
        SeedRandomDrawFromClock();
    return true;
}
