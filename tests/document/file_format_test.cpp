#include <algorithm>
#include <cstdlib>
#include <new>

#include "framework/document_manager.h"
#include "framework/file_store.h"
#include "tests/document/document_fixture.h"

// While a damaged file loads, a block above the limit is refused, and the largest one asked for
// is kept: a damaged file must build nothing large.
static size_t allocationLimit = SIZE_MAX;
static size_t largestAllocation = 0;

void* operator new(size_t size)
{
    largestAllocation = std::max(largestAllocation, size);
    void* block = size <= allocationLimit ? std::malloc(size == 0 ? 1 : size) : nullptr;
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}
[[gnu::noinline]] void operator delete(void* block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void* block, size_t) noexcept { std::free(block); }

class FileFormatTest : public DocumentTest {
protected:
    // A trained 1-layer 2-input 1-output network with two patterns and random weights, built
    // without questions.
    void MakeSmallNetwork()
    {
        document.SetUserInterface(nullptr);
        ASSERT_TRUE(document.ChangeShape(1, 2, 1));
        document.ImportTrainingData(DataFile("d.txt", "1 2 3 4 5 6"), true);
        document.OnRandomization();
        for (int32_t pass = 0; pass < 5; ++pass)
            document.TrainPass();
    }

    // Opens bytes through the document manager, as File Open does.
    bool Open(const std::string& bytes)
    {
        LocalFileStore store;
        CDocumentManager manager(document, scripted, scripted, store, {"Corvina Files (*.cvn)", "cvn"});
        document.SetModifiedFlag(false);
        return manager.OpenDocumentFile(DataFile("open.cvn", bytes));
    }

    const std::string fresh = ReadFile(CORVINA_TEST_DATA "/new_document.cvn");
};

TEST_F(FileFormatTest, ASavedNetworkReloadsToTheSameBytes)
{
    MakeSmallNetwork();
    const std::string bytes = Save();
    EXPECT_EQ(bytes.size(), 24u + 4u * 3u + (2048u + 2u) * 3u);
    EXPECT_EQ(bytes, ReadFile(CORVINA_TEST_DATA "/small_network.cvn"));
    const int32_t average = document.GetAverageError();
    document.OnNewDocument();
    EXPECT_TRUE(Open(bytes));
    EXPECT_EQ(Save(), bytes);
    EXPECT_EQ(document.GetErrorHistory().GetSum(), int64_t{average} * 100000);
}

TEST_F(FileFormatTest, ATruncatedFileIsRefusedAndLeavesANewDocument)
{
    MakeSmallNetwork();
    const std::string bytes = Save();
    // Every length through the header, the weights and the tail from the pattern count on, each
    // side of the boundary between the table blocks, and a stride through the tables.
    const size_t tableBlocksMeet = 24 + 2 * 2048;
    for (size_t length = 1; length < bytes.size(); ++length) {
        if (length > 40 && length + 24 < bytes.size() && length % 97 != 0 &&
            (length + 2 < tableBlocksMeet || length > tableBlocksMeet + 2))
            continue;
        SCOPED_TRACE(length);
        MakeSmallNetwork();
        scripted.stopMessages.clear();
        EXPECT_FALSE(Open(bytes.substr(0, length)));
        EXPECT_EQ(scripted.stopMessages.size(), 1u);
        ASSERT_EQ(Save(), fresh);
    }
    EXPECT_TRUE(Open(bytes + "trailing bytes are ignored"));
    EXPECT_EQ(Save(), bytes);
}

TEST_F(FileFormatTest, DamagedCountsAreRefusedBeforeAnythingLargeIsBuilt)
{
    MakeSmallNetwork();
    const std::string bytes = Save();
    const size_t patterns = bytes.size() - 18;
    // Counts out of range or refused by the engine, and counts announcing more than the file holds.
    const std::tuple<size_t, std::string, std::string> damages[] = {
        {0, Ints({0}), "not a Corvina network"},           {0, Ints({-1}), "not a Corvina network"},
        {4, Ints({0}), "not a Corvina network"},           {8, Ints({-5}), "not a Corvina network"},
        {0, Ints({100001}), "not a Corvina network"},      {0, Ints({100000, 100000}), "not a Corvina network"},
        {0, Ints({100000}), "ends early"},                 {4, Ints({100000}), "ends early"},
        {patterns, Ints({INT32_MAX}), "ends early"},       {patterns, Ints({3}), "ends early"},
    };
    for (const auto& [offset, damage, cause] : damages) {
        SCOPED_TRACE(offset);
        std::string damaged = bytes;
        damaged.replace(offset, damage.size(), damage);
        largestAllocation = 0;
        allocationLimit = size_t{1} << 20;
        scripted.stopMessages.clear();
        const bool opened = Open(damaged);
        allocationLimit = SIZE_MAX;
        EXPECT_FALSE(opened);
        EXPECT_LE(largestAllocation, size_t{1} << 20);
        ASSERT_EQ(scripted.stopMessages.size(), 1u);
        EXPECT_NE(scripted.stopMessages[0].find(cause), std::string::npos) << scripted.stopMessages[0];
        EXPECT_TRUE(Save() == fresh);
    }
}

TEST_F(FileFormatTest, CountersLoadAsStoredAndTheRateStaysInRange)
{
    MakeSmallNetwork();
    const std::string bytes = Save();
    const size_t patterns = bytes.size() - 18;
    const size_t passes = bytes.size() - 8;
    // A pattern count of 0 or less loads none, and is saved as 0.
    std::string negative = bytes.substr(0, patterns) + Ints({-2}) + bytes.substr(bytes.size() - 8);
    ASSERT_TRUE(Open(negative));
    EXPECT_EQ(document.GetPatternsCount(), 0);
    EXPECT_TRUE(Save() == bytes.substr(0, patterns) + Ints({0}) + bytes.substr(bytes.size() - 8));

    // Any passes count and average load as stored; averages beyond 0..65025 train at the nearest
    // end of that range, with the same weights as a file that holds that end.
    const std::pair<int32_t, int32_t> averages[] = {{-1, 0}, {INT32_MIN, 0}, {65026, 65025}, {INT32_MAX, 65025}};
    for (const auto& [stored, rate] : averages) {
        SCOPED_TRACE(stored);
        std::string outside = bytes;
        outside.replace(passes, 8, Ints({INT32_MIN, stored}));
        ASSERT_TRUE(Open(outside));
        EXPECT_EQ(document.GetPassesCount(), uint32_t{1} << 31);
        EXPECT_EQ(document.GetAverageError(), stored);
        EXPECT_TRUE(Save() == outside);
        document.GetRandomSource().Seed(7);
        document.TrainPass();
        const std::string trained = Save().substr(0, 24);

        std::string inside = bytes;
        inside.replace(passes, 8, Ints({0, rate}));
        ASSERT_TRUE(Open(inside));
        document.GetRandomSource().Seed(7);
        document.TrainPass();
        EXPECT_EQ(Save().substr(0, 24), trained) << "the weights";
    }
}
