#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/network_files.h"
#include "cli/progress_bar.h"
#include "cli/random_seed.h"
#include "document/network_model.h"
#include "document/number_text.h"
#include "document/report_lines.h"

namespace {

// Report lines with the produced passes count and the average error.
constexpr size_t PassesLine = 6;
constexpr size_t AverageLine = 7;

}  // namespace

int RunTrainCommand(const ParsedArguments& arguments, CommandContext& context)
{
    const std::string& networkPath = arguments.positionals[0];
    const std::string outputPath = arguments.Value("output").value_or(networkPath);
    // Required: the command line was refused without it.
    const std::string passesText = *arguments.Value("passes");
    const std::optional<uint64_t> passes = ParseUnsigned(passesText);
    if (!passes || *passes == 0)
        return ReportUserError(context, "--passes: '" + passesText + "' is not a whole number of passes above 0");
    std::string error;
    if (!IsValidSeed(arguments.Value("seed"), error))
        return ReportUserError(context, error);

    NetworkModel model;
    if (!OpenNetwork(networkPath, model, context))
        return ExitUserError;
    if (model.GetPatternsCount() == 0)
        return ReportUserError(context, networkPath + " has no training patterns; load some first with '" +
                                            "corvina-cli import " + networkPath + " DATA'");

    SeedRandomSource(model.Random(), arguments.Value("seed"), error);
    std::optional<ProgressBar> progress;
    if (context.showProgress)
        progress.emplace(context.err, *passes);
    for (uint64_t pass = 0; pass < *passes; ++pass) {
        model.TrainPass();
        if (progress)
            progress->Update(pass + 1);
    }
    if (progress)
        progress->Finish();
    if (!SaveNetwork(outputPath, model, context))
        return ExitUserError;

    const auto report = StatusReportLines(model);
    context.out << "Trained " << *passes << " passes; saved " << outputPath << "\n"
                << report[PassesLine] << "\n"
                << report[AverageLine] << "\n";
    return ExitSuccess;
}
