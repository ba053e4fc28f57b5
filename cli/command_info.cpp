#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/learning_options.h"
#include "cli/network_files.h"
#include "document/network_model.h"
#include "document/report_lines.h"

int RunInfoCommand(const ParsedArguments& arguments, CommandContext& context)
{
    NetworkModel model;
    if (!OpenNetwork(arguments.positionals[0], model, context))
        return ExitUserError;
    for (const std::string& line : StatusReportLines(model))
        context.out << line << '\n';
    // Settings at their defaults print nothing, so a classic network's report is the eight lines.
    const LearningSettings& settings = model.Settings();
    if (settings.rounding != Rounding::Classic)
        context.out << "Rounding: " << RoundingName(settings.rounding) << '\n';
    if (settings.keepBest.enabled) {
        const uint32_t every = settings.keepBest.every;
        context.out << "Keep best: evaluated on "
                    << (settings.keepBest.validationPath.empty() ? "the training patterns"
                                                                  : settings.keepBest.validationPath)
                    << (every == 0 ? std::string(" at the default interval") : " every " + std::to_string(every) + " passes")
                    << '\n';
    }
    if (settings.classes != 0)
        context.out << "Classes: " << settings.classes << '\n';
    return ExitSuccess;
}
