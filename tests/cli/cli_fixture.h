#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "cli/run_cli.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/rows.h"

// What one run of corvina-cli gave back.
struct CliResult {
    int status = -1;
    std::string out, err;
};

// The lines of text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Runs corvina-cli in-process on files of a fresh temporary folder: in arguments, a word
// starting with "@" names a file of that folder.
class CliTest : public testing::Test {
protected:
    CliResult Run(std::vector<std::string> args, bool showProgress = false)
    {
        for (std::string& arg : args)
            if (arg.starts_with("@"))
                arg = Path(arg.substr(1));
        std::ostringstream out, err;
        const int status = RunCli(args, out, err, showProgress);
        return {status, out.str(), err.str()};
    }

    // Runs a command that must succeed and returns its standard output.
    std::string RunOk(const std::vector<std::string>& args)
    {
        const CliResult result = Run(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return result.out;
    }

    // Runs a command that must be refused with status 1 and a message holding part, and must
    // change no file of the folder.
    void RunRefused(const std::vector<std::string>& args, const std::string& part)
    {
        const auto before = DirectoryEntries(dir.Root());
        const CliResult result = Run(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("corvina-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(part), std::string::npos) << result.err;
        EXPECT_EQ(DirectoryEntries(dir.Root()), before);
    }

    std::vector<std::string> Info(const std::string& net) { return Lines(RunOk({"info", net})); }
    std::string Path(const std::string& name) const { return dir.Path(name); }
    std::string Read(const std::string& name) const { return ReadFile(Path(name)); }
    void Write(const std::string& name, const std::string& bytes) const { WriteFile(Path(name), bytes); }

    TempDir dir;
};
