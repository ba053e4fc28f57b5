// The built corvina-cli run as a user would run it, on hostile and odd files and under limits
// set for it alone: each case checks the exit status, the message, and every file of the
// folder before and after.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "tests/framework/temp_dir.h"
#include "tests/support/rows.h"

namespace {

namespace fs = std::filesystem;
using Entries = std::map<std::string, std::string>;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSpaceCanBeLimited = false;  // the sanitizer reserves terabytes up front
#else
constexpr bool AddressSpaceCanBeLimited = true;
#endif

struct Limits {
    rlim_t fileSize = RLIM_INFINITY;
    rlim_t addressSpace = RLIM_INFINITY;
};

struct ToolRun {
    int status = -1;  // the exit status, or -1 when killed (by the alarm, say)
    std::string out, err;
};

// Runs corvina-cli with args inside folder, under limits, killed by an alarm after 30 seconds;
// sends SIGTERM after terminateAfter when that is not zero.
ToolRun RunTool(const fs::path& folder, std::vector<std::string> args, Limits limits = {},
                std::chrono::microseconds terminateAfter = {})
{
    TempDir logs;
    const int out = open(logs.Path("out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const int err = open(logs.Path("err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    args.insert(args.begin(), CORVINA_CLI_BINARY);
    std::vector<char*> argv;
    for (std::string& word : args)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const rlimit fileSize{limits.fileSize, limits.fileSize};
    const rlimit addressSpace{limits.addressSpace, limits.addressSpace};
    const pid_t child = fork();
    if (child == 0) {
        // Only calls that are safe between fork and exec; ignored signals would survive exec.
        if (chdir(folder.c_str()) != 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
            (limits.fileSize != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &fileSize) != 0) ||
            (limits.addressSpace != RLIM_INFINITY && setrlimit(RLIMIT_AS, &addressSpace) != 0))
            _exit(126);
        signal(SIGXFSZ, SIG_DFL);
        signal(SIGPIPE, SIG_DFL);
        alarm(30);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out);
    close(err);
    if (terminateAfter.count() > 0) {
        std::this_thread::sleep_for(terminateAfter);
        kill(child, SIGTERM);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(logs.Path("out")), ReadFile(logs.Path("err"))};
}

// A folder holding net.cvn, a network of 2 inputs and 1 output, and data.txt of 2 records.
class BadInputTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Tool({"new", "net.cvn", "--inputs", "2", "--outputs", "1"}).status, 0);
        WriteFile(Path("data.txt"), "1 2 3\n4 5 6\n");
    }

    ToolRun Tool(const std::vector<std::string>& args, Limits limits = {}) { return RunTool(dir.Root(), args, limits); }
    std::string Path(const std::string& name) const { return dir.Path(name); }
    Entries Now() const { return DirectoryEntries(dir.Root()); }

    TempDir dir;
};

const rlim_t SmallMemory = AddressSpaceCanBeLimited ? rlim_t{256} << 20 : RLIM_INFINITY;

// A writer that never ends a token; the reader must give up without reading it all.
void WriteDigitsForever(const TempDir& d)
{
    ASSERT_EQ(mkfifo(d.Path("digits").c_str(), 0644), 0);
    std::signal(SIGPIPE, SIG_IGN);
    std::thread([fifo = d.Path("digits")] {
        const int out = open(fifo.c_str(), O_WRONLY);
        const std::string digits(1 << 16, '7');
        while (out >= 0 && write(out, digits.data(), digits.size()) > 0) {
        }
        close(out);
    }).detach();
}

// What a case plants in the folder of a network with two patterns, the command, what the
// message says, and the limits of the run: a refusal changes no file.
struct RefusalRow {
    const char* name;
    void (*prepare)(const TempDir&);
    std::vector<std::string> args;
    const char* message;
    Limits limits = {};
};
PRINTS_AS_NAME(RefusalRow)

class BadInputRefusalTest : public BadInputTest, public testing::WithParamInterface<RefusalRow> {};

TEST_P(BadInputRefusalTest, ExplainsItselfAndChangesNoFile)
{
    ASSERT_EQ(Tool({"import", "net.cvn", "data.txt"}).status, 0);
    GetParam().prepare(dir);
    const Entries before = Now();
    const ToolRun run = Tool(GetParam().args, GetParam().limits);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("corvina-cli: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(Now(), before);
}

void Nothing(const TempDir&) {}
void ReadOnly(const TempDir& d)
{
    fs::permissions(d.Path("net.cvn"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}
void FifoNetwork(const TempDir& d)
{
    ASSERT_EQ(mkfifo(d.Path("pipe.cvn").c_str(), 0644), 0);
}
void HugeWithoutABlank(const TempDir& d)
{
    WriteFile(d.Path("huge.txt"), "");
    fs::resize_file(d.Path("huge.txt"), uintmax_t{1} << 30);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInputRefusalTest,
    testing::Values(
        RefusalRow{"ImportIntoAReadOnlyNetwork", ReadOnly, {"import", "net.cvn", "data.txt"}, "Permission denied: the file is read-only."},
        RefusalRow{"NewOverAFifo", FifoNetwork, {"new", "pipe.cvn", "--force"}, "it is a FIFO"},
        RefusalRow{"AGibibyteWithoutABlank", HugeWithoutABlank, {"import", "net.cvn", "huge.txt"},
                   "holds no complete record of 3 numbers; reading stopped at line 1 at \"\\x00", {RLIM_INFINITY, SmallMemory}},
        RefusalRow{"DigitsWithoutEnd", WriteDigitsForever, {"import", "net.cvn", "digits"},
                   "reading stopped at line 1 at \"77777777777777777777777777777777\"", {RLIM_INFINITY, SmallMemory}},
        RefusalRow{"AFileSizeLimit", Nothing, {"new", "net.cvn", "--force", "--layers", "9"}, "Writing failed: File too large.",
                   {4096, RLIM_INFINITY}}),
    RowName());

TEST_F(BadInputTest, SavesGoThroughLinksKeepModesAndIgnorePlantedFiles)
{
    fs::rename(Path("net.cvn"), Path("real.cvn"));
    fs::permissions(Path("real.cvn"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.cvn", Path("net.cvn"));
    WriteFile(Path("victim"), "victim");
    fs::create_symlink("victim", Path("net.cvn.saving"));
    WriteFile(Path("real.cvn.saving"), "a file of the user's own");
    const Entries before = Now();
    // A byte-order mark is skipped; a comma decimal ends the reading with a note.
    WriteFile(Path("data.txt"), "\xEF\xBB\xBF" "1 2 3\n4 5 6\n7,5 8 9\n");
    const ToolRun run = Tool({"import", "net.cvn", "data.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "corvina-cli: 2 records read from data.txt; reading stopped at line 3 at \"7,5\", which is not a number.\n");
    Entries after = Now();
    EXPECT_EQ(after["real.cvn"].substr(0, 20), "file 0600 6218 bytes");
    after["real.cvn"] = before.at("real.cvn");
    after["data.txt"] = before.at("data.txt");
    EXPECT_EQ(after, before) << "the link, the planted link and the user's file are as they were";
}

TEST_F(BadInputTest, ConcurrentSavesEachLeaveOneWholeNetwork)
{
    WriteFile(Path("three.txt"), "1 2 3\n4 5 6\n7 8 9\n");
    // What each import alone gives.
    for (const std::string data : {"data.txt", "three.txt"}) {
        fs::copy_file(Path("net.cvn"), Path(data + ".cvn"));
        ASSERT_EQ(Tool({"import", data + ".cvn", data}).status, 0);
    }
    std::vector<std::thread> runs;
    std::vector<ToolRun> results(16);
    for (size_t i = 0; i < results.size(); ++i)
        runs.emplace_back([&, i] { results[i] = Tool({"import", "net.cvn", i % 2 == 0 ? "data.txt" : "three.txt"}); });
    for (std::thread& run : runs)
        run.join();
    for (const ToolRun& result : results)
        EXPECT_EQ(result.status, 0) << result.err;
    const Entries after = Now();
    EXPECT_EQ(after.size(), 5u) << "no temporary file is left";
    EXPECT_TRUE(after.at("net.cvn") == after.at("data.txt.cvn") || after.at("net.cvn") == after.at("three.txt.cvn")) << after.at("net.cvn");
}

TEST_F(BadInputTest, ATerminationSignalDuringASaveLeavesOneWholeFileAndNoTemporaryOne)
{
    // A network of a million neurons takes long enough to save for signals to land inside it.
    const std::vector<std::string> bigger = {"new", "big.cvn", "--force", "--layers", "10000", "--inputs", "100",
                                             "--outputs", "50"};
    ASSERT_EQ(Tool({"new", "old.cvn"}).status, 0);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(Tool(bigger).status, 0);
    const auto duration = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
    const std::string whole = DescribeEntry(Path("big.cvn"));
    const std::string old = DescribeEntry(Path("old.cvn"));
    constexpr int Kills = 24;
    for (int kill = 1; kill <= Kills; ++kill) {
        fs::copy_file(Path("old.cvn"), Path("big.cvn"), fs::copy_options::overwrite_existing);
        RunTool(dir.Root(), bigger, {}, duration * kill / (Kills + 1));
        const Entries after = Now();
        EXPECT_TRUE(after.at("big.cvn") == whole || after.at("big.cvn") == old) << "kill " << kill << ": " << after.at("big.cvn");
        for (const auto& [name, entry] : after)
            EXPECT_EQ(name.find(".corvina-"), std::string::npos) << "kill " << kill << " left a temporary file";
    }
}

}  // namespace
