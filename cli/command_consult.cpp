#include <ostream>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/network_files.h"
#include "cli/number_parsing.h"
#include "cli/program_name.h"
#include "document/network_model.h"
#include "document/report_lines.h"

namespace {

int ConsultValues(NetworkModel& model, const std::string& valuesText, CommandContext& context)
{
    std::vector<double> values;
    std::string error;
    if (!ParseRealList(valuesText, values, error))
        return ReportUserError(context, "--values: " + error);
    const auto inputs = static_cast<size_t>(model.GetInputCount());
    if (values.size() != inputs)
        return ReportUserError(context, "--values: the network has " + std::to_string(inputs) + " inputs, " +
                                            std::to_string(values.size()) + " values were given");
    const std::vector<double> outputs = model.Consult(values);
    for (size_t output = 0; output < outputs.size(); ++output)
        context.out << ConsultReportLine(static_cast<int32_t>(output), outputs[output]) << '\n';
    return ExitSuccess;
}

int ConsultFile(NetworkModel& model, const std::string& networkPath, const std::string& inputPath,
                const std::string& outputPath, CommandContext& context)
{
    const NetworkModel::BatchOutcome outcome = model.ConsultFile(inputPath, outputPath, networkPath);
    if (!outcome.written)
        return ReportUserError(context, outcome.error);
    if (!outcome.note.empty())
        ReportNote(context, outcome.note);
    context.out << "Consulted " << outcome.rows << " rows of " << inputPath << "; answers written to " << outputPath
                << "\n";
    return ExitSuccess;
}

}  // namespace

int RunConsultCommand(const ParsedArguments& arguments, CommandContext& context)
{
    const std::optional<std::string> values = arguments.Value("values");
    const size_t count = arguments.positionals.size();
    if (values ? count != 1 : count != 3) {
        context.err << ProgramName << ": consult takes NET.cvn with --values, or NET.cvn IN OUT without it\n"
                    << "Try '" << ProgramName << " consult --help'.\n";
        return ExitUsageError;
    }
    const std::string& networkPath = arguments.positionals[0];
    NetworkModel model;
    if (!OpenNetwork(networkPath, model, context))
        return ExitUserError;
    if (values)
        return ConsultValues(model, *values, context);
    return ConsultFile(model, networkPath, arguments.positionals[1], arguments.positionals[2], context);
}
