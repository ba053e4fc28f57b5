#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "cli/arguments.h"
#include "cli/command_context.h"

// One subcommand: its name, how it is called, its help, the options it takes and its handler.
struct CommandSpec {
    std::string_view name;
    std::string_view usage;    // the arguments after the name, one line per form
    std::string_view summary;  // one line for the command list
    std::string_view details;  // the rest of the command's help
    std::span<const OptionSpec> options;
    size_t minPositionals;
    size_t maxPositionals;
    int (*run)(const ParsedArguments&, CommandContext&);
};

// Every subcommand, in the order the help lists them.
std::span<const CommandSpec> Commands();

// The subcommand called name, or nullptr.
const CommandSpec* FindCommand(std::string_view name);
