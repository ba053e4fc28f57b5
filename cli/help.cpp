#include "cli/help.h"

#include <string_view>

#include "cli/command_table.h"
#include "cli/program_name.h"

std::string UsageLines(const CommandSpec& command)
{
    std::string text;
    std::string_view forms = command.usage;
    std::string_view prefix = "Usage: ";
    while (true) {
        const size_t end = forms.find('\n');
        text += std::string(prefix) + ProgramName + " " + std::string(command.name) + " " +
                std::string(forms.substr(0, end)) + "\n";
        if (end == std::string_view::npos)
            return text;
        forms.remove_prefix(end + 1);
        prefix = "       ";
    }
}

std::string CommandHelp(const CommandSpec& command)
{
    return UsageLines(command) + "\n" + std::string(command.details);
}

std::string GeneralHelp()
{
    const std::string name = ProgramName;
    std::string text = "Usage: " + name + " COMMAND [ARGUMENTS]\n" +
                       "       " + name + " COMMAND --help\n"
                       "\n"
                       "Builds, trains and consults discrete feed-forward networks stored in .cvn\n"
                       "network documents, without a display.\n"
                       "\n"
                       "Commands:\n";
    for (const CommandSpec& command : Commands()) {
        std::string line = "  " + std::string(command.name);
        line.resize(12, ' ');
        text += line + std::string(command.summary) + "\n";
    }
    text += "\n"
            "Run '" + name + " COMMAND --help' for the arguments and options of a command.\n"
            "\n"
            "Exit status: 0 on success; 1 when a file, a number or a shape is refused (the reason\n"
            "is written to standard error and no file is written); 2 when the command line is wrong.\n"
            "\n"
            "Example:\n"
            "  " + name + " new net.cvn --layers 3 --inputs 2 --outputs 1 --randomize\n"
            "  " + name + " import net.cvn data.txt\n"
            "  " + name + " train net.cvn --passes 100000\n"
            "  " + name + " info net.cvn\n"
            "  " + name + " consult net.cvn --values 0.5,1.5\n"
            "  " + name + " consult net.cvn rows.txt answers.txt\n"
            "  " + name + " export net.cvn --c device/src\n";
    return text;
}
