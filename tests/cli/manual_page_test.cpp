#include <gtest/gtest.h>

#include "cli/manual_page.h"

namespace {

TEST(ManualPageAndCompletion, HoldTheirSectionsAndCompletions)
{
    const std::string page = ManualPage("9.8");
    const std::string script = BashCompletion();
    EXPECT_EQ(page.rfind(".TH CORVINA\\-CLI 1 \"\" \"Corvina 9.8\" \"User Commands\"\n", 0), 0u);
    for (const char* section : {".SH NAME\ncorvina\\-cli \\- ", ".SH SYNOPSIS\n", ".SH DESCRIPTION\n", ".SH COMMANDS\n",
                                ".SH EXIT STATUS\n", ".SH EXAMPLES\n", ".SH SEE ALSO\n"})
        EXPECT_NE(page.find(section), std::string::npos) << section;
    // A command's section, and the options the script completes for one.
    EXPECT_NE(page.find(".SS \"train\"\n"), std::string::npos);
    EXPECT_NE(script.find("info) options=\"--help\""), std::string::npos) << script;
    // No text line may start with a roff control character.
    EXPECT_EQ(page.find("\n'"), std::string::npos);
    EXPECT_NE(script.find("complete -o filenames -F _corvina_cli corvina-cli\n"), std::string::npos);
    EXPECT_NE(script.find("--c) COMPREPLY=($(compgen -d"), std::string::npos);
    EXPECT_NE(script.find("--rounding) COMPREPLY=($(compgen -W \"classic precise\" -- \"$cur\")); return ;;"), std::string::npos);
    EXPECT_NE(script.find("--log|--output|--validate) COMPREPLY=($(compgen -f"), std::string::npos);
}

}  // namespace
