#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/network_files.h"

namespace {

// A file that every command refuses to open as a network.
struct BadNetwork {
    std::string name;
    std::string bytes;  // written unless the case makes something else at the path
};

class NetworkFileErrorsTest : public CliTest {
protected:
    void SetUp() override
    {
        RunOk({"new", Path("good.cvn")});
        good = ReadFile(Path("good.cvn"));
        std::filesystem::remove(Path("good.cvn"));
        WriteFile(Path("data.txt"), "1 2 3 4 5 6\n");
        WriteFile(Path("rows.txt"), "1 2 3 4\n");
    }

    std::string good;
};

TEST_F(NetworkFileErrorsTest, EveryCommandRefusesAFileThatHoldsNoNetwork)
{
    const std::vector<BadNetwork> cases = {
        {"empty.cvn", ""},
        {"text.cvn", "hello world\n"},
        {"cut-in-the-counts.cvn", good.substr(0, 6)},
        {"cut-in-the-tables.cvn", good.substr(0, 5000)},
        {"cut-by-one-byte.cvn", good.substr(0, good.size() - 1)},
        {"no-inputs.cvn", WithInt32At(good, 4, 0)},
        {"negative-layers.cvn", WithInt32At(good, 0, 0xFFFFFFFF)},
        {"announces-more-than-it-holds.cvn", WithInt32At(good, 0, 100000)},
        {"announces-patterns-it-lacks.cvn", WithInt32At(good, 12388, 1000)},
    };
    const std::vector<std::vector<std::string>> commands = {
        {"info"},
        {"import", Path("data.txt")},
        {"train", "--passes", "3"},
        {"consult", "--values", "1,2,3,4"},
        {"consult", Path("rows.txt"), Path("answers.txt")},
    };
    for (const BadNetwork& c : cases) {
        const std::string path = Path(c.name);
        WriteFile(path, c.bytes);
        const std::vector<std::string> filesBefore = Files();
        for (const std::vector<std::string>& command : commands) {
            SCOPED_TRACE(c.name + " " + command[0]);
            std::vector<std::string> args = {command[0], path};
            args.insert(args.end(), command.begin() + 1, command.end());
            const CliResult result = Run(args);
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err.rfind("corvina-cli: ", 0), 0u) << result.err;
            EXPECT_NE(result.err.find(path), std::string::npos) << result.err;
            EXPECT_EQ(ReadFile(path), c.bytes);
            EXPECT_EQ(Files(), filesBefore) << "nothing is written";
        }
    }
}

TEST_F(NetworkFileErrorsTest, EveryCommandReportsAPathThatCannotBeRead)
{
    std::filesystem::create_directory(Path("a-directory.cvn"));
    for (const auto& [name, cause] : std::vector<std::pair<std::string, std::string>>{
             {"missing.cvn", "No such file or directory"}, {"a-directory.cvn", "Is a directory"}}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"info", Path(name)},
              {"import", Path(name), Path("data.txt")},
              {"train", Path(name), "--passes", "1"},
              {"consult", Path(name), "--values", "1,2,3,4"},
              {"consult", Path(name), Path("rows.txt"), Path("answers.txt")}}) {
            SCOPED_TRACE(testing::PrintToString(args));
            const CliResult result = Run(args);
            EXPECT_EQ(result.status, 1);
            EXPECT_NE(result.err.find(Path(name)), std::string::npos) << result.err;
            EXPECT_NE(result.err.find(cause), std::string::npos) << result.err;
            EXPECT_FALSE(std::filesystem::exists(Path("answers.txt")));
            EXPECT_FALSE(std::filesystem::exists(Path("missing.cvn")));
        }
    }
}

TEST_F(NetworkFileErrorsTest, NewReportsAnUnwritablePath)
{
    for (const std::string& path : {Path("missing-directory/net.cvn"), Path("data.txt/net.cvn")}) {
        const CliResult result = Run({"new", path});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(path), std::string::npos) << result.err;
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"data.txt", "rows.txt"}));
}

TEST_F(NetworkFileErrorsTest, InfoShowsTheStoredCountersAsTheyAre)
{
    // Passes beyond 2^31 are shown unsigned; the average comes from the file.
    const std::string path = Path("counters.cvn");
    WriteFile(path, WithInt32At(WithInt32At(good, 12392, 3000000000u), 12396, 12345));
    const std::vector<std::string> lines = Lines(RunOk({"info", path}));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[6], "Produced passes count 3000000000");
    EXPECT_EQ(lines[7], "Averrage error 12345 (10922 is statical value)");
}

}  // namespace
