#include "cli/manual_page.h"

#include <map>
#include <set>
#include <vector>

#include "cli/command_table.h"
#include "cli/help.h"
#include "cli/program_name.h"

namespace {

// Text as roff shows it literally: backslashes and minus signs escaped, and no line starting
// with a control character.
std::string RoffText(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The help's paragraphs, separated by empty lines.
std::vector<std::string> Paragraphs(std::string_view text)
{
    std::vector<std::string> paragraphs(1);
    for (std::string_view line : SplitLines(text)) {
        if (line.empty()) {
            if (!paragraphs.back().empty())
                paragraphs.emplace_back();
            continue;
        }
        paragraphs.back() += std::string(line) + "\n";
    }
    if (paragraphs.back().empty())
        paragraphs.pop_back();
    return paragraphs;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// A help paragraph in roff: plain lines flow as text; an indented list ("  tag  description",
// continued on lines indented further) becomes tagged paragraphs.
std::string RoffParagraph(std::string_view paragraph)
{
    std::string out = ".PP\n";
    for (std::string_view line : SplitLines(paragraph)) {
        if (StartsWith(line, "   ")) {
            const size_t start = line.find_first_not_of(' ');
            out += RoffText(line.substr(start)) + "\n";
        } else if (StartsWith(line, "  ")) {
            line.remove_prefix(2);
            const size_t gap = line.find("  ");
            out += ".TP\n" + RoffText(line.substr(0, gap)) + "\n";
            if (gap != std::string_view::npos)
                out += RoffText(line.substr(line.find_first_not_of(' ', gap))) + "\n";
        } else {
            out += RoffText(line) + "\n";
        }
    }
    return out;
}

std::string Section(std::string_view title)
{
    return ".SH " + std::string(title) + "\n";
}

}  // namespace

std::string ManualPage(std::string_view version)
{
    const std::string name = ProgramName;
    std::string page = ".TH CORVINA\\-CLI 1 \"\" \"Corvina " + std::string(version) + "\" \"User Commands\"\n";
    page += Section("NAME") + RoffText(name) + " \\- build, train, consult and export discrete neural networks\n";
    page += Section("SYNOPSIS") + ".B " + RoffText(name) + "\n.I COMMAND\n.RI [ ARGUMENTS ]\n.br\n.B " +
            RoffText(name) + "\n.I COMMAND\n.B \\-\\-help\n";

    // The general help: usage, description, command list, pointer, exit status, example.
    const std::vector<std::string> general = Paragraphs(GeneralHelp());
    page += Section("DESCRIPTION");
    for (const std::string& paragraph : general) {
        if (!StartsWith(paragraph, "Usage:") && !StartsWith(paragraph, "Commands:") && !StartsWith(paragraph, "Run '") &&
            !StartsWith(paragraph, "Exit status:") && !StartsWith(paragraph, "Example:"))
            page += RoffParagraph(paragraph);
    }

    page += Section("COMMANDS");
    for (const CommandSpec& command : Commands()) {
        page += ".SS \"" + RoffText(command.name) + "\"\n.nf\n";
        for (std::string_view form : SplitLines(command.usage))
            page += ".B " + RoffText(name) + " " + RoffText(command.name) + " " + RoffText(form) + "\n";
        page += ".fi\n";
        for (const std::string& paragraph : Paragraphs(command.details))
            page += RoffParagraph(paragraph);
    }

    for (const std::string& paragraph : general) {
        if (StartsWith(paragraph, "Exit status:"))
            page += Section("EXIT STATUS") + RoffParagraph(paragraph.substr(std::string_view("Exit status: ").size()));
        if (StartsWith(paragraph, "Example:")) {
            page += Section("EXAMPLES") + ".nf\n";
            const std::string_view examples = std::string_view(paragraph).substr(paragraph.find('\n') + 1);
            for (std::string_view line : SplitLines(examples)) {
                const size_t start = line.find_first_not_of(' ');
                if (start != std::string_view::npos)
                    page += RoffText(line.substr(start)) + "\n";
            }
            page += ".fi\n";
        }
    }
    page += Section("SEE ALSO") + ".BR corvina (1)\n";
    return page;
}

namespace {

// The values that are completed: folders after these options, files after these. Numbers,
// names and value lists are not completed.
bool CompletesFolders(const OptionSpec& option)
{
    return option.valueName == "DIR";
}

bool CompletesFiles(const OptionSpec& option)
{
    return option.name == "output" || option.name == "validate" || option.name == "log";
}

std::string OptionList(const CommandSpec& command)
{
    std::string list;
    for (const OptionSpec& option : command.options)
        list += "--" + std::string(option.name) + " ";
    return list + "--help";
}

// Option words joined as a bash case pattern; a pattern that matches no word when there are none.
std::string CasePattern(const std::set<std::string>& words)
{
    std::string pattern;
    for (const std::string& word : words)
        pattern += (pattern.empty() ? "" : "|") + word;
    return pattern.empty() ? std::string("--\\ none") : pattern;
}

}  // namespace

std::string BashCompletion()
{
    std::string commands;
    std::string optionCases;
    std::set<std::string> folderOptions, fileOptions, otherValueOptions;
    std::map<std::string, std::string> choiceOptions;
    for (const CommandSpec& command : Commands()) {
        commands += std::string(command.name) + " ";
        optionCases += "        " + std::string(command.name) + ") options=\"" + OptionList(command) + "\" ;;\n";
        for (const OptionSpec& option : command.options) {
            if (!option.takesValue)
                continue;
            if (!option.choices.empty()) {
                choiceOptions["--" + std::string(option.name)] = option.choices;
                continue;
            }
            std::set<std::string>& kind = CompletesFolders(option) ? folderOptions
                                          : CompletesFiles(option) ? fileOptions
                                                                   : otherValueOptions;
            kind.insert("--" + std::string(option.name));
        }
    }
    commands += "help";
    std::string choiceCases;
    for (const auto& [option, choices] : choiceOptions)
        choiceCases += "        " + option + ") COMPREPLY=($(compgen -W \"" + choices + "\" -- \"$cur\")); return ;;\n";
    return "# bash completion for corvina-cli, made from its command table.\n"
           "_corvina_cli()\n"
           "{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]}\n"
           "    local prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    local commands=\"" + commands + "\"\n"
           "    local options=--help\n"
           "    COMPREPLY=()\n"
           "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
           "        COMPREPLY=($(compgen -W \"$commands --help\" -- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    case ${COMP_WORDS[1]} in\n" +
           optionCases +
           "        help) [ \"$COMP_CWORD\" -eq 2 ] && COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\")); return ;;\n"
           "        *) return ;;\n"
           "    esac\n"
           "    case $prev in\n"
           "        " + CasePattern(folderOptions) + ") COMPREPLY=($(compgen -d -- \"$cur\")); return ;;\n"
           "        " + CasePattern(fileOptions) + ") COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n" +
           choiceCases +
           "        " + CasePattern(otherValueOptions) + ") return ;;\n"
           "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "    else\n"
           "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
           "    fi\n"
           "}\n"
           "complete -o filenames -F _corvina_cli corvina-cli\n";
}
