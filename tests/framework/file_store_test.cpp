#include "framework/file_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <string>

#include "framework/output_file.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/rows.h"

namespace {

namespace fs = std::filesystem;
using P = fs::perms;
using Entries = std::map<std::string, std::string>;

void WriteWithMode(const std::string& path, const std::string& bytes, fs::perms mode)
{
    WriteFile(path, bytes);
    fs::permissions(path, mode);
}

// The umask decides a new file's permissions; the cases expect the usual one.
class FileStoreTest : public testing::Test {
protected:
    FileStoreTest() : savedMask(umask(022)) {}
    ~FileStoreTest() override { umask(savedMask); }

    TempDir dir;
    mode_t savedMask;
};

// A folder as a case prepares it, the file saved there, the error (empty: the save succeeds) and
// every entry of the folder afterwards: no temporary file is left, nothing else is touched.
struct SaveRow {
    const char* name;
    void (*prepare)(const TempDir&);
    std::string target;
    const char* error;
    Entries after;
};
PRINTS_AS_NAME(SaveRow)

class SavePolicyTest : public FileStoreTest, public testing::WithParamInterface<SaveRow> {};

TEST_P(SavePolicyTest, LeavesTheFolderAsItShould)
{
    GetParam().prepare(dir);
    std::string error;
    const bool written = LocalFileStore().WriteWholeFile(dir.Path(GetParam().target), "new", error);
    EXPECT_EQ(written, *GetParam().error == '\0') << error;
    EXPECT_NE(error.find(GetParam().error), std::string::npos) << error;
    EXPECT_EQ(DirectoryEntries(dir.Root()), GetParam().after);
}

const std::string longName(250, 'n');
INSTANTIATE_TEST_SUITE_P(
    Targets, SavePolicyTest,
    testing::Values(
        SaveRow{"NewFile", [](const TempDir&) {}, "net.cvn", "", {{"net.cvn", "file 0644 new"}}},
        SaveRow{"KeepsPermissions",
                [](const TempDir& d) { WriteWithMode(d.Path("net.cvn"), "old", P::owner_read | P::owner_write); },
                "net.cvn", "", {{"net.cvn", "file 0600 new"}}},
        SaveRow{"ThroughALink",
                [](const TempDir& d) {
                    WriteWithMode(d.Path("real.cvn"), "old", P::owner_read | P::owner_write | P::group_read);
                    fs::create_symlink("real.cvn", d.Path("link.cvn"));
                },
                "link.cvn", "", {{"link.cvn", "link -> real.cvn"}, {"real.cvn", "file 0640 new"}}},
        SaveRow{"DanglingLink", [](const TempDir& d) { fs::create_symlink("real.cvn", d.Path("link.cvn")); },
                "link.cvn", "", {{"link.cvn", "link -> real.cvn"}, {"real.cvn", "file 0644 new"}}},
        SaveRow{"LongName", [](const TempDir&) {}, longName, "", {{longName, "file 0644 new"}}},
        SaveRow{"ReadOnly", [](const TempDir& d) { WriteWithMode(d.Path("net.cvn"), "old", P::owner_read); },
                "net.cvn", "Permission denied: the file is read-only.", {{"net.cvn", "file 0400 old"}}},
        SaveRow{"Folder", [](const TempDir& d) { fs::create_directory(d.Path("net.cvn")); }, "net.cvn",
                "It is not a regular file: it is a directory", {{"net.cvn", "directory"}}},
        SaveRow{"LinkToAFifo",
                [](const TempDir& d) {
                    ASSERT_EQ(mkfifo(d.Path("fifo").c_str(), 0644), 0);
                    fs::create_symlink("fifo", d.Path("net.cvn"));
                },
                "net.cvn", "it is a FIFO", {{"net.cvn", "link -> fifo"}, {"fifo", "fifo"}}},
        SaveRow{"MissingFolder", [](const TempDir&) {}, "missing/net.cvn",
                "missing cannot be opened: No such file or directory", {}},
        SaveRow{"LoopOfLinks",
                [](const TempDir& d) {
                    fs::create_symlink("b", d.Path("a"));
                    fs::create_symlink("a", d.Path("b"));
                },
                "a", "Too many levels of symbolic links", {{"a", "link -> b"}, {"b", "link -> a"}}},
        SaveRow{"OtherHardLinkKeepsTheOldContents",
                [](const TempDir& d) {
                    WriteFile(d.Path("net.cvn"), "old");
                    fs::create_hard_link(d.Path("net.cvn"), d.Path("other.cvn"));
                },
                "net.cvn", "", {{"net.cvn", "file 0644 new"}, {"other.cvn", "file 0644 old"}}}),
    RowName());

TEST_F(FileStoreTest, AReplacementKeepsTheOwner)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a file away";
    WriteFile(dir.Path("net.cvn"), "old");
    ASSERT_EQ(chown(dir.Path("net.cvn").c_str(), 4321, 4322), 0);
    std::string error;
    ASSERT_TRUE(LocalFileStore().WriteWholeFile(dir.Path("net.cvn"), "new", error)) << error;
    struct stat status {};
    ASSERT_EQ(stat(dir.Path("net.cvn").c_str(), &status), 0);
    EXPECT_EQ(std::pair(status.st_uid, status.st_gid), std::pair(4321u, 4322u));
}

TEST_F(FileStoreTest, ASizeLimitIsAnOrdinaryWriteError)
{
    WriteFile(dir.Path("net.cvn"), "old contents");
    // No file may grow past 1 KiB while 64 KiB are written. With the signal's default action
    // the process would die here: the store must ignore it.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{1024, saved.rlim_max};
    std::signal(SIGXFSZ, SIG_DFL);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string storeError, outputError;
    const bool stored = LocalFileStore().WriteWholeFile(dir.Path("net.cvn"), std::string(65536, 'x'), storeError);
    OutputFile output;
    const bool streamed = output.Open(dir.Path("out.txt"), outputError) &&
                          output.Write(std::string(65536, 'x'), outputError) && output.Close(outputError);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(std::tuple(stored, streamed, storeError, outputError),
              std::tuple(false, false, "Writing failed: File too large.", "Writing failed: File too large."));
    EXPECT_EQ(DirectoryEntries(dir.Root()), (Entries{{"net.cvn", "file 0644 old contents"}}));
}

}  // namespace
