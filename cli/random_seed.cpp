#include "cli/random_seed.h"

#include "document/number_text.h"

bool IsValidSeed(const std::optional<std::string>& seedText, std::string& error)
{
    if (seedText && !ParseUnsigned(*seedText)) {
        error = "--seed: '" + *seedText + "' is not an unsigned integer below 2^64";
        return false;
    }
    return true;
}

bool SeedRandomSource(RandomSource& random, const std::optional<std::string>& seedText, std::string& error)
{
    if (!IsValidSeed(seedText, error))
        return false;
    if (seedText)
        random.Seed(*ParseUnsigned(*seedText));
    else
        random.SeedFromClock();
    return true;
}
