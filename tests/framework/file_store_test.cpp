#include "framework/file_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/framework/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Only the files a store was asked to write may be left in the directory.
std::vector<std::string> FileNames(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Root()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(LocalFileStoreTest, WritesANewFileAndReplacesAnOldOneWhole)
{
    TempDir dir;
    const std::string path = dir.Path("net.cvn");
    LocalFileStore store;
    std::string error;

    const std::string first(5000, 'a');
    ASSERT_TRUE(store.WriteWholeFile(path, first, error)) << error;
    EXPECT_EQ(ReadFile(path), first);

    // A shorter content must not leave the tail of the longer one behind.
    const std::string second("\x00\x01\x0A\x0D", 4);
    ASSERT_TRUE(store.WriteWholeFile(path, second, error)) << error;
    EXPECT_EQ(ReadFile(path), second);

    ASSERT_TRUE(store.WriteWholeFile(path, "", error)) << error;
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_EQ(FileNames(dir), std::vector<std::string>{"net.cvn"});
}

TEST(LocalFileStoreTest, AReplacementIsANewFileSoReadersOfTheOldOneKeepIt)
{
    TempDir dir;
    const std::string path = dir.Path("net.cvn");
    const std::string link = dir.Path("hard-link.cvn");
    WriteFile(path, "old contents");
    fs::create_hard_link(path, link);

    LocalFileStore store;
    std::string error;
    ASSERT_TRUE(store.WriteWholeFile(path, "new contents", error)) << error;
    EXPECT_EQ(ReadFile(path), "new contents");
    // Written in place, the old inode (and so the link) would have changed as well.
    EXPECT_EQ(ReadFile(link), "old contents");
}

TEST(LocalFileStoreTest, AFailedWriteReportsWhyAndLeavesEverythingAsItWas)
{
    TempDir dir;
    WriteFile(dir.Path("plain-file"), "not a directory");
    fs::create_directory(dir.Path("existing-directory"));
    WriteFile(dir.Path("existing-directory/inside"), "kept");

    const std::vector<std::string> paths = {
        dir.Path("missing-directory/net.cvn"),
        dir.Path("plain-file/net.cvn"),
        dir.Path("existing-directory"),
    };
    const std::vector<std::string> before = FileNames(dir);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        LocalFileStore store;
        std::string error;
        EXPECT_FALSE(store.WriteWholeFile(path, "bytes", error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(FileNames(dir), before) << "no temporary file is left behind";
    }
    EXPECT_EQ(ReadFile(dir.Path("plain-file")), "not a directory");
    EXPECT_EQ(ReadFile(dir.Path("existing-directory/inside")), "kept");
}

}  // namespace
