#include "framework/file_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "tests/framework/temp_dir.h"

namespace {

namespace fs = std::filesystem;

long Entries(const TempDir& dir)
{
    return std::distance(fs::directory_iterator(dir.Root()), fs::directory_iterator());
}

TEST(LocalFileStoreTest, AReplacementIsAWholeNewFile)
{
    TempDir dir;
    const std::string path = dir.Path("net.cvn");
    WriteFile(path, std::string(5000, 'a'));
    fs::create_hard_link(path, dir.Path("link.cvn"));

    LocalFileStore store;
    std::string error;
    ASSERT_TRUE(store.WriteWholeFile(path, std::string("\0\n\r", 3), error)) << error;
    EXPECT_EQ(ReadFile(path), std::string("\0\n\r", 3)) << "no tail of the longer old file";
    // Written in place, the old inode and so the link would have changed too.
    EXPECT_EQ(ReadFile(dir.Path("link.cvn")), std::string(5000, 'a'));
    EXPECT_EQ(Entries(dir), 2);
}

TEST(LocalFileStoreTest, AWriteThatFailsPartWayLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::string path = dir.Path("net.cvn");
    WriteFile(path, "old contents");
    // No file may grow past 1 KiB while the store writes 64 KiB.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{1024, saved.rlim_max};
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool written = LocalFileStore().WriteWholeFile(path, std::string(65536, 'x'), error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFile(path), "old contents");
    EXPECT_EQ(Entries(dir), 1) << "no temporary file is left behind";
}

TEST(LocalFileStoreTest, AnImpossibleWriteReportsWhyAndLeavesEverythingAsItWas)
{
    TempDir dir;
    fs::create_directory(dir.Path("existing-directory"));
    WriteFile(dir.Path("existing-directory/inside"), "kept");
    for (const std::string& path : {dir.Path("missing-directory/net.cvn"), dir.Path("existing-directory")}) {
        SCOPED_TRACE(path);
        std::string error;
        EXPECT_FALSE(LocalFileStore().WriteWholeFile(path, "bytes", error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(Entries(dir), 1) << "no temporary file is left behind";
    }
    EXPECT_EQ(ReadFile(dir.Path("existing-directory/inside")), "kept");
}

}  // namespace
