#include "cli/command_context.h"

#include <ostream>

#include "cli/exit_status.h"
#include "cli/program_name.h"

int ReportUserError(CommandContext& context, const std::string& message)
{
    context.err << ProgramName << ": " << message << '\n';
    return ExitUserError;
}

void ReportNote(CommandContext& context, const std::string& note)
{
    context.err << ProgramName << ": " << note << '\n';
}
