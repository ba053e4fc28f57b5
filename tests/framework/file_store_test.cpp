#include "framework/file_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/framework/temp_dir.h"

namespace {

namespace fs = std::filesystem;

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
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Root()), fs::directory_iterator()), 2);
}

TEST(LocalFileStoreTest, AFailedWriteReportsWhyAndLeavesEverythingAsItWas)
{
    TempDir dir;
    fs::create_directory(dir.Path("existing-directory"));
    WriteFile(dir.Path("existing-directory/inside"), "kept");
    for (const std::string& path : {dir.Path("missing-directory/net.cvn"), dir.Path("existing-directory")}) {
        SCOPED_TRACE(path);
        LocalFileStore store;
        std::string error;
        EXPECT_FALSE(store.WriteWholeFile(path, "bytes", error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Root()), fs::directory_iterator()), 1)
            << "no temporary file is left behind";
    }
    EXPECT_EQ(ReadFile(dir.Path("existing-directory/inside")), "kept");
}

}  // namespace
