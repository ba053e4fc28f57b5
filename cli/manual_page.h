#pragma once

#include <string>
#include <string_view>

// The manual page corvina-cli(1) in roff, made from the same command table and help texts as
// corvina-cli --help, so that the two never disagree. version goes into the page's header.
std::string ManualPage(std::string_view version);

// A bash completion script for corvina-cli, made from the command table: commands, each
// command's options, folders after --c and files elsewhere.
std::string BashCompletion();
