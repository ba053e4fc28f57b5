#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/learning_options.h"
#include "cli/network_files.h"
#include "cli/progress_bar.h"
#include "cli/random_seed.h"
#include "document/network_model.h"
#include "document/number_text.h"
#include "document/real_format.h"
#include "document/report_lines.h"
#include "document/same_file.h"
#include "document/training_log.h"
#include "framework/file_store.h"

namespace {

// Report lines with the produced passes count and the average error.
constexpr size_t PassesLine = 6;
constexpr size_t AverageLine = 7;

// Why the log cannot be written where it was asked for, or "".
std::string LogRefusal(const std::string& logPath, const std::string& networkPath, const std::string& outputPath,
                       const LearningSettings& settings)
{
    const std::string refused = "--log: " + logPath + " is ";
    if (IsSameFile(logPath, networkPath) || IsSameFile(logPath, outputPath))
        return refused + "the network's own file; choose another log file";
    if (!settings.keepBest.validationPath.empty() && IsSameFile(logPath, settings.keepBest.validationPath))
        return refused + "the validation file; choose another log file";
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(logPath).parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error))
        return "--log: the folder " + folder.string() + " does not exist";
    return {};
}

// "evaluation error E" and ", accuracy A" with classes.
std::string DescribeEvaluation(const Evaluation& evaluation)
{
    std::string text = "evaluation error " + FormatReal(evaluation.levelError, RealNotation::General);
    if (evaluation.classFigures)
        text += ", accuracy " + FormatReal(evaluation.classFigures->accuracy, RealNotation::General);
    return text;
}

// What the evaluations ran on.
std::string EvaluatedOn(const LearningSettings& settings)
{
    return settings.keepBest.validationPath.empty() ? "the training patterns" : settings.keepBest.validationPath;
}

}  // namespace

int RunTrainCommand(const ParsedArguments& arguments, CommandContext& context)
{
    const std::string& networkPath = arguments.positionals[0];
    const std::string outputPath = arguments.Value("output").value_or(networkPath);
    const std::optional<std::string> logPath = arguments.Value("log");
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
    LearningSettings settings = model.Settings();
    if (!ApplyLearningOptions(arguments, model.GetOutputCount(), settings, error))
        return ReportUserError(context, error);
    model.SetSettings(settings);
    if (logPath) {
        if (const std::string refusal = LogRefusal(*logPath, networkPath, outputPath, settings); !refusal.empty())
            return ReportUserError(context, refusal);
    }

    // The network is evaluated to keep the best one, and for a log that has a file to evaluate on.
    const bool keepingBest = settings.keepBest.enabled;
    const bool evaluating = keepingBest || (logPath && !settings.keepBest.validationPath.empty());
    if (evaluating) {
        if (const std::string refusal = model.StartKeepingBest(); !refusal.empty())
            return ReportUserError(context, refusal + " " + networkPath + " was left as it was.");
    }
    const uint32_t every = evaluating                  ? model.GetEvaluationInterval()
                           : settings.keepBest.every != 0 ? settings.keepBest.every
                                                        : DefaultEvaluationInterval(model.GetPatterns().size());
    const TrainingLogColumns columns{evaluating, evaluating && settings.classes != 0};
    std::string log = TrainingLogHeader(columns);
    size_t logRows = 0;
    const auto logRow = [&] {
        if (!logPath || model.GetPassesCount() % every != 0)
            return;
        log += TrainingLogRow(columns, model.GetPassesCount(), model.GetAverageError(), model.GetLastEvaluation());
        ++logRows;
    };

    SeedRandomSource(model.Random(), arguments.Value("seed"), error);
    logRow();
    std::optional<ProgressBar> progress;
    if (context.showProgress)
        progress.emplace(context.err, *passes);
    for (uint64_t pass = 0; pass < *passes; ++pass) {
        model.TrainPass();
        logRow();
        if (progress)
            progress->Update(pass + 1);
    }
    if (progress)
        progress->Finish();
    // The weights training ended with are a candidate too.
    if (evaluating && !model.LastPassEvaluated())
        model.EvaluateForBest();
    const BestNetwork& best = model.GetBestNetwork();
    if (keepingBest)
        model.RestoreBestNetwork();
    if (!SaveNetwork(outputPath, model, context))
        return ExitUserError;

    const auto report = StatusReportLines(model);
    context.out << "Trained " << *passes << " passes; saved " << outputPath << "\n"
                << report[PassesLine] << "\n"
                << report[AverageLine] << "\n";
    if (keepingBest)
        context.out << "Saved the best network, reached at pass " << best.GetPasses() << ": "
                    << DescribeEvaluation(best.GetEvaluation()) << " on " << EvaluatedOn(settings) << "\n";
    if (logPath) {
        if (!LocalFileStore().WriteWholeFile(*logPath, log, error))
            return ReportUserError(context, "Failed to write the training log " + *logPath + ".\n" + error);
        context.out << "Wrote " << logRows << " rows, one every " << every << " passes, to " << *logPath << "\n";
    }
    return ExitSuccess;
}
