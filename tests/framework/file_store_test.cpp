#include "framework/file_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <string>

#include "framework/output_file.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/rows.h"

namespace {

namespace fs = std::filesystem;
using Entries = std::map<std::string, std::string>;

// Makes each entry as DescribeEntry describes it, and "hard link to NAME" too.
void Plant(const TempDir& dir, const Entries& entries)
{
    for (const auto& [name, what] : entries) {
        const std::string path = dir.Path(name);
        if (what.starts_with("file ")) {
            WriteFile(path, what.substr(10));
            fs::permissions(path, static_cast<fs::perms>(std::stoi(what.substr(5, 4), nullptr, 8)));
        } else if (what.starts_with("link -> "))
            fs::create_symlink(what.substr(8), path);
        else if (what.starts_with("hard link to "))
            fs::create_hard_link(dir.Path(what.substr(13)), path);
        else if (what == "fifo")
            ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
        else
            fs::create_directory(path);
    }
}

// The umask decides a new file's permissions; the cases expect the usual one.
class FileStoreTest : public testing::Test {
protected:
    FileStoreTest() : savedMask(umask(022)) {}
    ~FileStoreTest() override { umask(savedMask); }

    TempDir dir;
    mode_t savedMask;
};

// A folder's entries before, the file saved there, the error (empty: the save succeeds) and every
// entry of the folder afterwards: no temporary file is left, nothing else is touched.
struct SaveRow {
    const char* name;
    Entries before;
    std::string target;
    const char* error;
    Entries after;
};
PRINTS_AS_NAME(SaveRow)

class SavePolicyTest : public FileStoreTest, public testing::WithParamInterface<SaveRow> {};

TEST_P(SavePolicyTest, LeavesTheFolderAsItShould)
{
    Plant(dir, GetParam().before);
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
        SaveRow{"NewFile", {}, "net.cvn", "", {{"net.cvn", "file 0644 new"}}},
        SaveRow{"KeepsPermissions", {{"net.cvn", "file 0600 old"}}, "net.cvn", "", {{"net.cvn", "file 0600 new"}}},
        SaveRow{"ThroughALink", {{"real.cvn", "file 0640 old"}, {"link.cvn", "link -> real.cvn"}}, "link.cvn", "",
                {{"link.cvn", "link -> real.cvn"}, {"real.cvn", "file 0640 new"}}},
        SaveRow{"DanglingLink", {{"link.cvn", "link -> real.cvn"}}, "link.cvn", "",
                {{"link.cvn", "link -> real.cvn"}, {"real.cvn", "file 0644 new"}}},
        SaveRow{"LongName", {}, longName, "", {{longName, "file 0644 new"}}},
        SaveRow{"ReadOnly", {{"net.cvn", "file 0400 old"}}, "net.cvn", "Permission denied: the file is read-only.",
                {{"net.cvn", "file 0400 old"}}},
        SaveRow{"Folder", {{"net.cvn", "directory"}}, "net.cvn", "It is not a regular file: it is a directory",
                {{"net.cvn", "directory"}}},
        SaveRow{"LinkToAFifo", {{"net.cvn", "link -> fifo"}, {"fifo", "fifo"}}, "net.cvn", "it is a FIFO",
                {{"net.cvn", "link -> fifo"}, {"fifo", "fifo"}}},
        SaveRow{"MissingFolder", {}, "missing/net.cvn", "missing cannot be opened: No such file or directory", {}},
        SaveRow{"LoopOfLinks", {{"a", "link -> b"}, {"b", "link -> a"}}, "a", "Too many levels of symbolic links",
                {{"a", "link -> b"}, {"b", "link -> a"}}},
        SaveRow{"OtherHardLinkKeepsTheOldContents", {{"net.cvn", "file 0644 old"}, {"other.cvn", "hard link to net.cvn"}},
                "net.cvn", "", {{"net.cvn", "file 0644 new"}, {"other.cvn", "file 0644 old"}}}),
    RowName());

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
