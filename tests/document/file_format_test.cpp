#include <cstring>

#include "framework/document_manager.h"
#include "framework/file_store.h"
#include "tests/document/document_fixture.h"

namespace {

std::string Int32Bytes(int32_t value)
{
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

}  // namespace

class FileFormatTest : public DocumentTest {
protected:
    // A trained 1-layer 2-input 1-output network with two patterns and random weights.
    void MakeSmallNetwork()
    {
        messages.answers = {Answer::Yes, Answer::Yes};
        ASSERT_TRUE(document.ChangeShape(1, 2, 1));
        document.ImportTrainingData(DataFile("d.txt", "1 2 3 4 5 6"), true);
        document.OnRandomization();
        for (int32_t pass = 0; pass < 5; ++pass)
            document.TrainPass();
    }

    // Opens bytes through the document manager, as File Open does.
    bool Open(const std::string& bytes)
    {
        const std::string path = DataFile("open.cvn", bytes);
        LocalFileStore store;
        CDocumentManager manager(document, messages, files, store, {"Corvina Files (*.cvn)", "cvn"});
        document.SetModifiedFlag(false);
        return manager.OpenDocumentFile(path);
    }
};

TEST_F(FileFormatTest, SaveAndReloadKeepEverythingButTheHistoryEntries)
{
    MakeSmallNetwork();
    const std::string bytes = Save();
    EXPECT_EQ(bytes.size(), 24u + 4u * 3u + (2048u + 2u) * 3u);
    EXPECT_EQ(bytes, ReadFile(CORVINA_TEST_DATA "/small_network.cvn"));

    CCorvinaDoc loaded;
    Load(loaded, bytes);
    EXPECT_EQ(SaveDocument(loaded), bytes);
    EXPECT_EQ(loaded.GetLayersCount(), 1);
    EXPECT_EQ(loaded.GetPassesCount(), 5u);
    EXPECT_EQ(loaded.GetAverageError(), document.GetAverageError());
    EXPECT_EQ(loaded.GetErrorHistory().GetPosition(), 0);
    EXPECT_EQ(loaded.GetErrorHistory().GetEntry(99999), document.GetAverageError());
    EXPECT_EQ(loaded.GetErrorHistory().GetSum(), int64_t{document.GetAverageError()} * 100000);
    for (int32_t n = 0; n < 3; ++n) {
        for (int32_t j = 0; j < 4; ++j)
            EXPECT_EQ(loaded.GetNet().GetWeight(n, j), document.GetNet().GetWeight(n, j));
    }
}

TEST_F(FileFormatTest, TruncationAnywhereFailsAndLeavesANewDocument)
{
    MakeSmallNetwork();
    const std::string bytes = Save();
    const std::string fresh = ReadFile(CORVINA_TEST_DATA "/new_document.cvn");
    for (size_t length = 1; length < bytes.size(); ++length) {
        MakeSmallNetwork();
        messages.stopMessages.clear();
        EXPECT_FALSE(Open(bytes.substr(0, length))) << length;
        EXPECT_EQ(messages.stopMessages.size(), 1u) << length;
        ASSERT_EQ(Save(), fresh) << length;
    }
    EXPECT_TRUE(Open(bytes + "trailing bytes are ignored"));
    EXPECT_EQ(Save(), bytes);
}

TEST_F(FileFormatTest, DamagedCountsAreRefusedBeforeAnythingLargeIsBuilt)
{
    MakeSmallNetwork();
    const std::string bytes = Save();
    const std::string fresh = ReadFile(CORVINA_TEST_DATA "/new_document.cvn");
    const size_t patternCountOffset = 12 + 12 + 2048 * 3;
    const size_t averageOffset = bytes.size() - 4;
    struct Damage {
        size_t offset;
        int32_t value;
    };
    const Damage damages[] = {
        {0, 0}, {0, -1}, {4, 0}, {8, -5}, {0, 100001}, {0, 100000}, {4, 100000},
        {patternCountOffset, -1}, {patternCountOffset, INT32_MAX}, {patternCountOffset, 3},
        {averageOffset, -1}, {averageOffset, 65026},
    };
    for (const Damage& damage : damages) {
        std::string damaged = bytes;
        damaged.replace(damage.offset, 4, Int32Bytes(damage.value));
        EXPECT_FALSE(Open(damaged)) << damage.offset << " " << damage.value;
        EXPECT_EQ(Save(), fresh) << damage.offset << " " << damage.value;
    }
    std::string highest = bytes;
    highest.replace(averageOffset, 4, Int32Bytes(65025));
    EXPECT_TRUE(Open(highest));
    EXPECT_EQ(document.GetAverageError(), 65025);
}

TEST_F(FileFormatTest, AnAverageBelowTheSumsRemainderIsSavedTruncated)
{
    MakeSmallNetwork();
    const int32_t average = document.GetAverageError();
    CCorvinaDoc loaded;
    Load(loaded, Save());
    EXPECT_EQ(loaded.GetErrorHistory().GetSum(), int64_t{average} * 100000);
}
