#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "tests/framework/temp_dir.h"

// What one run of corvina-cli gave back.
struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs corvina-cli in-process inside a fresh temporary directory.
class CliTest : public testing::Test {
protected:
    CliResult Run(const std::vector<std::string>& args, bool showProgress = false)
    {
        std::ostringstream out;
        std::ostringstream err;
        CliResult result;
        result.status = RunCli(args, out, err, showProgress);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    // Runs a command that must succeed and returns its standard output.
    std::string RunOk(const std::vector<std::string>& args)
    {
        const CliResult result = Run(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return result.out;
    }

    std::string Path(const std::string& name) const { return dir.Path(name); }

    // The names of every file in the directory, to prove nothing unasked was written.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Root()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
};

// The lines of text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}
