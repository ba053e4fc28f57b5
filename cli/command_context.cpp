#include "cli/command_context.h"

#include <ostream>
#include <sstream>

#include "cli/exit_status.h"
#include "cli/program_name.h"

namespace {

void WriteLines(std::ostream& err, const std::string& text)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        err << ProgramName << ": " << line << '\n';
}

}  // namespace

int ReportUserError(CommandContext& context, const std::string& message)
{
    WriteLines(context.err, message);
    return ExitUserError;
}

void ReportNote(CommandContext& context, const std::string& note)
{
    WriteLines(context.err, note);
}
