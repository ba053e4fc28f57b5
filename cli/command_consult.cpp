#include <algorithm>
#include <ostream>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/network_session.h"
#include "cli/number_parsing.h"
#include "cli/program_name.h"

namespace {

int ConsultValues(CCorvinaDoc& document, const std::string& valuesText, CommandContext& context)
{
    std::vector<double> values;
    std::string error;
    if (!ParseRealList(valuesText, values, error))
        return ReportUserError(context, "--values: " + error);
    const auto inputs = static_cast<size_t>(document.GetInputCount());
    if (values.size() != inputs)
        return ReportUserError(context, "--values: the network has " + std::to_string(inputs) + " inputs, " +
                                            std::to_string(values.size()) + " values were given");
    std::copy(values.begin(), values.end(), document.GetConsultValues());

    // The report is window text, with CR LF line ends; print it as lines.
    std::string report = document.ConsultSingle();
    report.erase(std::remove(report.begin(), report.end(), '\r'), report.end());
    context.out << report;
    if (!report.empty() && report.back() != '\n')
        context.out << '\n';
    return ExitSuccess;
}

int ConsultFile(CCorvinaDoc& document, const std::string& inputPath, const std::string& outputPath,
                CommandContext& context)
{
    const BatchOutcome outcome = document.ConsultFile(inputPath, outputPath);
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
    NetworkSession session(context.err);
    if (!session.Open(arguments.positionals[0]))
        return ExitUserError;
    if (values)
        return ConsultValues(session.Document(), *values, context);
    return ConsultFile(session.Document(), arguments.positionals[1], arguments.positionals[2], context);
}
