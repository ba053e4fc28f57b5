#include "tests/document/allocation_cap.h"
#include "tests/document/document_fixture.h"

namespace {

// A trained network of 1 layer, 2 inputs and 1 output with two patterns and random weights.
std::string SmallNetwork()
{
    NetworkModel model(RandomSource(12345));
    model.Reshape(1, 2, 1);
    RawRecords records;
    records.count = 3;
    records.values = {1, 2, 3, 4, 5, 6};
    model.ImportRecords(records, true);
    model.Randomize();
    for (int32_t pass = 0; pass < 5; ++pass)
        model.TrainPass();
    return WriteNetwork(model);
}

const std::string small = SmallNetwork();
const size_t patternsAt = small.size() - 18;
const size_t passesAt = small.size() - 8;

// Reads bytes into a model that held a new network; says why not, or "".
std::string Refusal(const std::string& bytes, NetworkModel& model)
{
    std::string reason;
    const bool read = ReadNetwork(bytes, model, reason);
    EXPECT_EQ(read, reason.empty());
    return reason;
}

TEST(FileFormatTest, ASavedNetworkReloadsToTheSameBytes)
{
    EXPECT_EQ(small, ReadFile(CORVINA_TEST_DATA "/small_network.cvn"));
    NetworkModel model;
    EXPECT_EQ(Refusal(small + "trailing bytes are ignored", model), "");
    EXPECT_EQ(WriteNetwork(model), small);
    EXPECT_EQ(model.GetErrorHistory().GetSum(), int64_t{model.GetAverageError()} * 100000);
}

// Every length through the header, the weights and the tail from the pattern count on, each side
// of the boundary between the table blocks, and a stride through the tables.
std::vector<size_t> CutLengths()
{
    const size_t tableBlocksMeet = 24 + 2 * 2048;
    std::vector<size_t> lengths;
    for (size_t length = 0; length < small.size(); ++length)
        if (length <= 40 || length + 24 >= small.size() || length % 97 == 0 ||
            (length + 2 >= tableBlocksMeet && length <= tableBlocksMeet + 2))
            lengths.push_back(length);
    return lengths;
}

class TruncatedFileTest : public testing::TestWithParam<size_t> {};

TEST_P(TruncatedFileTest, IsRefusedAndLeavesTheModel)
{
    NetworkModel model;
    const std::string fresh = WriteNetwork(model);
    EXPECT_NE(Refusal(small.substr(0, GetParam()), model), "");
    EXPECT_TRUE(WriteNetwork(model) == fresh);
}

INSTANTIATE_TEST_SUITE_P(Bytes, TruncatedFileTest, testing::ValuesIn(CutLengths()), testing::PrintToStringParamName());

struct DamageRow {
    const char* name;
    size_t offset;
    std::string bytes;
    const char* cause;
};
PRINTS_AS_NAME(DamageRow)

class DamagedFileTest : public testing::TestWithParam<DamageRow> {};

// Counts out of range or refused by the engine, and counts announcing more than the file holds,
// are refused before anything large is built.
TEST_P(DamagedFileTest, IsRefusedBeforeAnythingLargeIsBuilt)
{
    std::string damaged = small;
    damaged.replace(GetParam().offset, GetParam().bytes.size(), GetParam().bytes);
    NetworkModel model;
    AllocationCap::largest = 0;
    AllocationCap::limit = size_t{1} << 20;
    const std::string reason = Refusal(damaged, model);
    AllocationCap::limit = SIZE_MAX;
    EXPECT_LE(AllocationCap::largest, size_t{1} << 20);
    EXPECT_NE(reason.find(GetParam().cause), std::string::npos) << reason;
}

INSTANTIATE_TEST_SUITE_P(
    Counts, DamagedFileTest,
    testing::Values(DamageRow{"NoLayers", 0, Ints({0}), "not a Corvina network"},
                    DamageRow{"NegativeLayers", 0, Ints({-1}), "not a Corvina network"},
                    DamageRow{"NoInputs", 4, Ints({0}), "not a Corvina network"},
                    DamageRow{"NegativeOutputs", 8, Ints({-5}), "not a Corvina network"},
                    DamageRow{"LayersBeyondTheDialog", 0, Ints({100001}), "not a Corvina network"},
                    DamageRow{"TooManyNeurons", 0, Ints({100000, 100000}), "not a Corvina network"},
                    DamageRow{"ManyLayers", 0, Ints({100000}), "ends early"},
                    DamageRow{"ManyInputs", 4, Ints({100000}), "ends early"},
                    DamageRow{"AllThePatterns", patternsAt, Ints({INT32_MAX}), "ends early"},
                    DamageRow{"OneMorePattern", patternsAt, Ints({3}), "ends early"}),
    RowName());

TEST(FileFormatTest, CountersLoadAsStoredAndTheRateStaysInRange)
{
    // A pattern count of 0 or less loads none, and is saved as 0.
    NetworkModel model;
    ASSERT_EQ(Refusal(small.substr(0, patternsAt) + Ints({-2}) + small.substr(passesAt), model), "");
    EXPECT_EQ(model.GetPatternsCount(), 0);
    EXPECT_TRUE(WriteNetwork(model) == small.substr(0, patternsAt) + Ints({0}) + small.substr(passesAt));

    // Any passes count and average load as stored; averages beyond 0..65025 train at the nearest
    // end of that range, with the same weights as a file that holds that end.
    const auto weightsAfterAPass = [&model] {
        model.Random().Seed(7);
        model.TrainPass();
        return WriteNetwork(model).substr(0, 24);
    };
    for (const auto& [stored, rate] : {std::pair{-1, 0}, {INT32_MIN, 0}, {65026, 65025}, {INT32_MAX, 65025}}) {
        const std::string outside = small.substr(0, passesAt) + Ints({INT32_MIN, stored});
        ASSERT_EQ(Refusal(outside, model), "");
        EXPECT_EQ(model.GetPassesCount(), uint32_t{1} << 31);
        EXPECT_EQ(model.GetAverageError(), stored);
        EXPECT_TRUE(WriteNetwork(model) == outside);
        const std::string trained = weightsAfterAPass();
        ASSERT_EQ(Refusal(small.substr(0, passesAt) + Ints({0, rate}), model), "");
        EXPECT_EQ(weightsAfterAPass(), trained) << "the weights at " << stored;
    }
}

TEST_F(DocumentTest, ALoadReplacesTheNetworkAndClearsTheConsultationValues)
{
    ASSERT_TRUE(document.ChangeShape(1, 3, 2));
    hints.clear();
    std::istringstream in(small);
    CArchive archive(in, small.size());
    document.Serialize(archive);
    EXPECT_EQ(Save(), small);
    EXPECT_EQ(document.GetConsultValues(), std::vector<double>(2, 0.0));
    EXPECT_EQ(hints, std::vector<UpdateHint>{UpdateHint::All});
}

}  // namespace
