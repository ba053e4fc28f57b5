#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/network_session.h"
#include "cli/status_report.h"

int RunInfoCommand(const ParsedArguments& arguments, CommandContext& context)
{
    NetworkSession session(context.err);
    if (!session.Open(arguments.positionals[0]))
        return ExitUserError;
    for (const std::string& line : StatusReportLines(session.Document()))
        context.out << line << '\n';
    return ExitSuccess;
}
