#include <algorithm>
#include <new>
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/network_files.h"
#include "document/evaluation_report.h"
#include "document/network_model.h"
#include "document/number_reader.h"
#include "document/number_text.h"
#include "document/training_import.h"

namespace {

// The classes of --classes, else those stored with the network when the outputs can hold them.
std::optional<int32_t> ClassesOf(const ParsedArguments& arguments, const NetworkModel& model, std::string& error)
{
    const int32_t outputs = model.GetOutputCount();
    const auto text = arguments.Value("classes");
    if (!text) {
        const auto stored = static_cast<int32_t>(model.Settings().classes);
        return IsClassCountValid(stored, outputs) ? stored : 0;
    }
    const std::optional<uint64_t> classes = ParseUnsigned(*text);
    if (!classes || !IsClassCountValid(static_cast<int64_t>(std::min<uint64_t>(*classes, INT64_MAX)), outputs)) {
        error = "--classes: '" + *text + "' is not a class count from 2 to the network's " + std::to_string(outputs) +
                " outputs";
        return std::nullopt;
    }
    return static_cast<int32_t>(*classes);
}

}  // namespace

int RunEvaluateCommand(const ParsedArguments& arguments, CommandContext& context)
{
    const std::string& networkPath = arguments.positionals[0];
    const std::string& dataPath = arguments.positionals[1];
    NetworkModel model;
    if (!OpenNetwork(networkPath, model, context))
        return ExitUserError;
    std::string error;
    const std::optional<int32_t> classes = ClassesOf(arguments, model, error);
    if (!classes)
        return ReportUserError(context, error);
    try {
        const RawRecords records = ReadRawRecords(dataPath, model.GetInputCount() + model.GetOutputCount());
        if (const std::string refusal = DescribeImportRefusal(records, dataPath); !refusal.empty())
            return ReportUserError(context, refusal);
        if (const std::string note = DescribeEarlyStop(records.GetRecordCount(), "record", dataPath, records.stop);
            !note.empty())
            ReportNote(context, note);
        const Evaluation evaluation = model.Evaluate(records, *classes);
        context.out << (arguments.Has("json") ? FormatEvaluationJson(evaluation) : FormatEvaluationTable(evaluation));
    } catch (const std::bad_alloc&) {
        return ReportUserError(context, "There is not enough memory to evaluate " + networkPath + " on " + dataPath + ".");
    }
    return ExitSuccess;
}
