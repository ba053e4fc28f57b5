#include <gtest/gtest.h>

#include "cli/command_table.h"
#include "cli/manual_page.h"

namespace {

// roff's spelling of text with minus signs.
std::string Roff(std::string_view text)
{
    std::string out;
    for (char c : text)
        out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}

TEST(ManualPageAndCompletion, NameEveryCommandAndOption)
{
    const std::string page = ManualPage("9.8");
    const std::string script = BashCompletion();
    EXPECT_EQ(page.rfind(".TH CORVINA\\-CLI 1 \"\" \"Corvina 9.8\" \"User Commands\"\n", 0), 0u);
    for (const char* section : {".SH NAME\ncorvina\\-cli \\- ", ".SH SYNOPSIS\n", ".SH DESCRIPTION\n", ".SH COMMANDS\n",
                                ".SH EXIT STATUS\n", ".SH EXAMPLES\n", ".SH SEE ALSO\n"})
        EXPECT_NE(page.find(section), std::string::npos) << section;
    for (const CommandSpec& command : Commands()) {
        EXPECT_NE(page.find(".SS \"" + std::string(command.name) + "\"\n"), std::string::npos) << command.name;
        std::string options;
        for (const OptionSpec& option : command.options) {
            EXPECT_NE(page.find(".TP\n" + Roff("--" + std::string(option.name))), std::string::npos) << option.name;
            options += "--" + std::string(option.name) + " ";
        }
        EXPECT_NE(script.find(std::string(command.name) + ") options=\"" + options + "--help\""), std::string::npos)
            << command.name;
    }
    // No text line may start with a roff control character.
    EXPECT_EQ(page.find("\n'"), std::string::npos);
    EXPECT_NE(script.find("complete -o filenames -F _corvina_cli corvina-cli\n"), std::string::npos);
    EXPECT_NE(script.find("--c) COMPREPLY=($(compgen -d"), std::string::npos);
    EXPECT_NE(script.find("--rounding) COMPREPLY=($(compgen -W \"classic precise\" -- \"$cur\")); return ;;"), std::string::npos);
    EXPECT_NE(script.find("--log|--output|--validate) COMPREPLY=($(compgen -f"), std::string::npos);
}

}  // namespace
