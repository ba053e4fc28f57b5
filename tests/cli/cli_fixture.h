#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/run_cli.h"
#include "tests/framework/temp_dir.h"

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

// The length of a network file: the counts, 4 weights per neuron, 256 doubles per column,
// the pattern count, the patterns, the passes count and the average.
inline uint64_t NetworkFileLength(int64_t layers, int64_t inputs, int64_t outputs, int64_t patterns = 0)
{
    return static_cast<uint64_t>(24 + 4 * (layers * inputs + outputs) + (2048 + patterns) * (inputs + outputs));
}

// bytes with a little-endian 32-bit value written at offset.
inline std::string WithInt32At(std::string bytes, size_t offset, uint32_t value)
{
    char little[4];
    for (size_t i = 0; i < 4; ++i)
        little[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes.replace(offset, 4, little, 4);
}

// Runs corvina-cli in-process inside a fresh temporary directory.
class CliTest : public testing::Test {
protected:
    CliResult Run(const std::vector<std::string>& args, bool showProgress = false)
    {
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

    // Runs a command that must be refused with status 1 and a message holding part.
    CliResult RunRefused(const std::vector<std::string>& args, const std::string& part)
    {
        const CliResult result = Run(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("corvina-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(part), std::string::npos) << result.err;
        return result;
    }

    std::vector<std::string> Info(const std::string& net) { return Lines(RunOk({"info", net})); }

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
