#pragma once

#include <string>

struct CommandSpec;

// The help of corvina-cli --help: every command, the exit statuses, an example session.
std::string GeneralHelp();

// The help of corvina-cli COMMAND --help.
std::string CommandHelp(const CommandSpec& command);

// "Usage: corvina-cli COMMAND ..." lines, for the help and for usage errors.
std::string UsageLines(const CommandSpec& command);
