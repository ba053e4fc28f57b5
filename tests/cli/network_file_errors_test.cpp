#include <optional>

#include "tests/cli/cli_fixture.h"

namespace {

TEST_F(CliTest, EveryCommandRefusesAFileThatHoldsNoNetwork)
{
    RunOk({"new", Path("good.cvn")});
    const std::string good = ReadFile(Path("good.cvn"));
    std::filesystem::remove(Path("good.cvn"));
    std::filesystem::create_directory(Path("a-directory.cvn"));
    WriteFile(Path("data.txt"), "1 2 3 4 5 6\n");
    WriteFile(Path("rows.txt"), "1 2 3 4\n");
    struct Case {
        std::string name;
        std::optional<std::string> bytes;  // nullopt: not written
        std::string cause = "";
    };
    const std::vector<Case> cases = {
        {"missing.cvn", std::nullopt, "No such file or directory"},
        {"a-directory.cvn", std::nullopt, "It is not a regular file: it is a directory"},
        {"empty.cvn", ""},
        {"text.cvn", "hello world\n"},
        {"cut-by-one-byte.cvn", good.substr(0, good.size() - 1), "The file ends early"},
        {"announces-patterns-it-lacks.cvn", WithInt32At(good, 12388, 1000), "The file ends early: its counts need 6008"},
    };
    const std::vector<std::vector<std::string>> commands = {
        {"info"},
        {"import", Path("data.txt")},
        {"train", "--passes", "3"},
        {"consult", "--values", "1,2,3,4"},
        {"consult", Path("rows.txt"), Path("answers.txt")},
    };
    for (const Case& c : cases) {
        const std::string path = Path(c.name);
        if (c.bytes)
            WriteFile(path, *c.bytes);
        const std::vector<std::string> filesBefore = Files();
        for (const std::vector<std::string>& command : commands) {
            SCOPED_TRACE(c.name + " " + command[0]);
            std::vector<std::string> args = {command[0], path};
            args.insert(args.end(), command.begin() + 1, command.end());
            EXPECT_NE(RunRefused(args, path).err.find(c.cause), std::string::npos);
            EXPECT_EQ(Files(), filesBefore) << "nothing is written";
            if (c.bytes) {
                EXPECT_EQ(ReadFile(path), *c.bytes);
            }
        }
    }
}

TEST_F(CliTest, InfoShowsTheStoredCountersAsTheyAre)
{
    // Passes beyond 2^31 are shown unsigned; the average comes from the file.
    RunOk({"new", Path("net.cvn")});
    WriteFile(Path("net.cvn"), WithInt32At(WithInt32At(ReadFile(Path("net.cvn")), 12392, 3000000000u), 12396, 12345));
    const std::vector<std::string> lines = Info(Path("net.cvn"));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[6], "Produced passes count 3000000000");
    EXPECT_EQ(lines[7], "Averrage error 12345 (10922 is statical value)");
}

}  // namespace
