#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One option a command accepts, written --name; takesValue options are followed by their value
// (--name VALUE or --name=VALUE), the others are flags.
struct OptionSpec {
    std::string_view name;
    bool takesValue = false;
    // What the value stands for in messages, such as "N".
    std::string_view valueName = {};
    bool required = false;
    // The words the value may be, separated by blanks, for completion; empty when any value goes.
    std::string_view choices = {};
};

// A command line split into its options and its positional arguments.
struct ParsedArguments {
    std::vector<std::string> positionals;
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;
    bool help = false;

    // True when the flag or the option with a value was given.
    bool Has(std::string_view name) const;

    // The value given to an option, if it was given.
    std::optional<std::string> Value(std::string_view name) const;
};

// Splits args by the options accepted. On a malformed line returns false with the reason in
// error: an unknown option, a missing or unexpected value, an option given twice.
bool ParseArguments(const std::vector<std::string>& args, std::span<const OptionSpec> options,
                    ParsedArguments& parsed, std::string& error);
