#include "cli/learning_options.h"

#include <algorithm>
#include <optional>

#include "document/evaluation.h"
#include "document/number_text.h"
#include "document/settings_block.h"

namespace {

std::optional<Rounding> ParseRounding(std::string_view text)
{
    if (text == "classic")
        return Rounding::Classic;
    if (text == "precise")
        return Rounding::Precise;
    return std::nullopt;
}

}  // namespace

std::string_view RoundingName(Rounding rounding)
{
    return rounding == Rounding::Precise ? "precise" : "classic";
}

bool ApplyLearningOptions(const ParsedArguments& arguments, int32_t outputs, LearningSettings& settings,
                          std::string& error)
{
    LearningSettings changed = settings;
    if (const auto text = arguments.Value("rounding")) {
        const std::optional<Rounding> rounding = ParseRounding(*text);
        if (!rounding) {
            error = "--rounding: '" + *text + "' is neither classic nor precise";
            return false;
        }
        changed.rounding = *rounding;
    }
    if (arguments.Has("keep-best") && arguments.Has("no-keep-best")) {
        error = "--keep-best and --no-keep-best contradict each other; give one of them";
        return false;
    }
    if (arguments.Has("keep-best"))
        changed.keepBest.enabled = true;
    if (arguments.Has("no-keep-best"))
        changed.keepBest.enabled = false;
    if (const auto text = arguments.Value("every")) {
        const std::optional<uint64_t> every = ParseUnsigned(*text);
        if (!every || *every == 0 || *every > UINT32_MAX) {
            error = "--every: '" + *text + "' is not a whole number of passes from 1 to " + std::to_string(UINT32_MAX);
            return false;
        }
        changed.keepBest.every = static_cast<uint32_t>(*every);
    }
    if (const auto path = arguments.Value("validate")) {
        if (path->empty() || path->size() > MaxValidationPathLength) {
            error = "--validate: give the path of a training-data file";
            return false;
        }
        changed.keepBest.validationPath = *path;
    }
    if (const auto text = arguments.Value("classes")) {
        const std::optional<uint64_t> classes = ParseUnsigned(*text);
        if (!classes || !IsClassCountValid(static_cast<int64_t>(std::min<uint64_t>(*classes, INT64_MAX)), outputs)) {
            error = "--classes: '" + *text + "' is not a class count from 2 to the network's " +
                    std::to_string(outputs) + " outputs";
            return false;
        }
        changed.classes = static_cast<uint32_t>(*classes);
    }
    settings = changed;
    return true;
}
