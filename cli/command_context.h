#pragma once

#include <iosfwd>
#include <string>

// Where a command writes: results to out, messages and the progress bar to err.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    // True when err is a terminal, so that a progress bar may be drawn on it.
    bool showProgress = false;
};

// Writes "corvina-cli: " and each line of message to err and returns ExitUserError.
int ReportUserError(CommandContext& context, const std::string& message);

// Writes the note to err the same way: something the user should know about a command that worked.
void ReportNote(CommandContext& context, const std::string& note);
