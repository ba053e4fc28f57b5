#include "cli/run_cli.h"

#include <exception>
#include <new>
#include <ostream>

#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "cli/help.h"
#include "cli/program_name.h"

namespace {

int ReportUsageError(std::ostream& err, const std::string& message, const CommandSpec* command)
{
    err << ProgramName << ": " << message << '\n';
    if (command != nullptr)
        err << UsageLines(*command) << "Try '" << ProgramName << " " << command->name << " --help'.\n";
    else
        err << "Try '" << ProgramName << " --help'.\n";
    return ExitUsageError;
}

int RunCommand(const CommandSpec& command, const std::vector<std::string>& args, CommandContext& context)
{
    ParsedArguments arguments;
    std::string error;
    if (!ParseArguments(args, command.options, arguments, error))
        return ReportUsageError(context.err, error, &command);
    if (arguments.help) {
        context.out << CommandHelp(command);
        return ExitSuccess;
    }
    for (const OptionSpec& option : command.options)
        if (option.required && !arguments.Has(option.name))
            return ReportUsageError(context.err,
                                    "missing option '--" + std::string(option.name) + " " +
                                        std::string(option.valueName) + "'",
                                    &command);
    const size_t count = arguments.positionals.size();
    if (count < command.minPositionals)
        return ReportUsageError(context.err, "missing arguments", &command);
    if (count > command.maxPositionals)
        return ReportUsageError(context.err, "unexpected argument '" + arguments.positionals[command.maxPositionals] + "'",
                                &command);
    return command.run(arguments, context);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool showProgress)
{
    if (args.empty())
        return ReportUsageError(err, "no command given", nullptr);
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        const CommandSpec* command = args.size() > 1 ? FindCommand(args[1]) : nullptr;
        if (args.size() > 1 && command == nullptr)
            return ReportUsageError(err, "unknown command '" + args[1] + "'", nullptr);
        out << (command != nullptr ? CommandHelp(*command) : GeneralHelp());
        return ExitSuccess;
    }
    const CommandSpec* command = FindCommand(name);
    if (command == nullptr)
        return ReportUsageError(err, "unknown command '" + name + "'", nullptr);
    CommandContext context{out, err, showProgress};
    try {
        return RunCommand(*command, std::vector<std::string>(args.begin() + 1, args.end()), context);
    } catch (const std::bad_alloc&) {
        return ReportUserError(context, "there is not enough memory to " + std::string(command->summary));
    } catch (const std::exception& error) {
        return ReportUserError(context, std::string("unexpected error: ") + error.what());
    }
}
