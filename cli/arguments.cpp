#include "cli/arguments.h"

#include <algorithm>

bool ParsedArguments::Has(std::string_view name) const
{
    return flags.find(name) != flags.end() || values.find(name) != values.end();
}

std::optional<std::string> ParsedArguments::Value(std::string_view name) const
{
    const auto found = values.find(name);
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

namespace {

bool IsOption(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-';
}

}  // namespace

bool ParseArguments(const std::vector<std::string>& args, std::span<const OptionSpec> options,
                    ParsedArguments& parsed, std::string& error)
{
    parsed = ParsedArguments{};
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !IsOption(arg)) {
            parsed.positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            error = "unknown option '" + arg + "'";
            return false;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const auto declared = std::find_if(options.begin(), options.end(),
                                       [&](const OptionSpec& option) { return option.name == name; });
        if (declared == options.end()) {
            error = "unknown option '--" + name + "'";
            return false;
        }
        if (parsed.Has(name)) {
            error = "option '--" + name + "' given twice";
            return false;
        }
        if (!declared->takesValue) {
            if (equals != std::string::npos) {
                error = "option '--" + name + "' takes no value";
                return false;
            }
            parsed.flags.insert(name);
            continue;
        }
        if (equals != std::string::npos) {
            parsed.values[name] = arg.substr(equals + 1);
            continue;
        }
        // The next argument is the value even when it starts with '-', as a negative number does.
        if (i + 1 >= args.size()) {
            error = "option '--" + name + "' needs a value";
            return false;
        }
        parsed.values[name] = args[++i];
    }
    return true;
}
