#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
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
    return ExitSuccess;
}
