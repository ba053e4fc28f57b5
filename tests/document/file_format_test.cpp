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
    const size_t average = bytes.size() - 4;
    // Counts out of range or refused by the engine, counts announcing more than the file holds,
    // averages out of 0..65025.
    const std::pair<size_t, std::string> damages[] = {
        {0, Ints({0})}, {0, Ints({-1})}, {4, Ints({0})}, {8, Ints({-5})}, {0, Ints({100001})},
        {0, Ints({100000, 100000})}, {patterns, Ints({-1})}, {0, Ints({100000})}, {4, Ints({100000})},
        {patterns, Ints({INT32_MAX})}, {patterns, Ints({3})}, {average, Ints({-1})}, {average, Ints({65026})},
    };
    for (size_t i = 0; i < std::size(damages); ++i) {
        SCOPED_TRACE(i);
        std::string damaged = bytes;
        damaged.replace(damages[i].first, damages[i].second.size(), damages[i].second);
        largestAllocation = 0;
        allocationLimit = size_t{1} << 20;
        const bool opened = Open(damaged);
        allocationLimit = SIZE_MAX;
        EXPECT_FALSE(opened);
        EXPECT_LE(largestAllocation, size_t{1} << 20);
        EXPECT_EQ(Save(), fresh);
    }
    // The largest values: 2^31 passes, counted unsigned, and an average of 65025.
    std::string highest = bytes;
    highest.replace(average - 4, 8, Ints({INT32_MIN, 65025}));
    EXPECT_TRUE(Open(highest));
    EXPECT_EQ(document.GetPassesCount(), uint32_t{1} << 31);
    EXPECT_EQ(Save(), highest);
}
