#include <clocale>
#include <filesystem>

#include "tests/document/document_fixture.h"

namespace {

namespace fs = std::filesystem;

// A randomized network of 2 layers, 2 inputs and 3 outputs whose output tables read level / 4.
class ConsultTest : public DocumentTest {
protected:
    ConsultTest()
    {
        document.ChangeShape(2, 2, 3);
        document.Model().Randomize();
        for (int32_t entry = 0; entry < 3 * 256; ++entry)
            document.Model().GetTable(Column::Output, 0)[entry] = (entry % 256) / 4.0;
        hints.clear();
        document.SetModifiedFlag(false);
    }
};

// The window's consultation runs the page that was showing and keeps the paths; its report and
// a batch file are written alike under a decimal-comma locale and the "C" locale.
TEST_F(ConsultTest, OnConsultRunsThePageThatWasShowingWhateverTheLocale)
{
    const std::string input = DataFile("in.txt", "0.5 1\n2 3\n");
    scripted.consult = {{1.5, 0}, input, "out.txt"};
    scripted.consultOutcome = {false, ConsultPage::Plural};
    document.OnConsult();
    EXPECT_EQ(document.GetConsultInputPath(), input);
    EXPECT_EQ(document.GetConsultOutputPath(), "out.txt");
    EXPECT_TRUE(scripted.reports.empty());

    scripted.consultOutcome = {true, ConsultPage::Singular};
    document.OnConsult();
    EXPECT_EQ(scripted.shownConsult.values, (std::vector<double>{1.5, 0}));
    EXPECT_EQ(scripted.shownConsult.inputPath, input);
    // The seeded weights give output levels 142, 49 and 79.
    EXPECT_EQ(scripted.reports, std::vector<std::string>{"Output # 0, - \t35.500000\r\nOutput # 1, - \t12.250000\r\n"
                                                         "Output # 2, - \t19.750000\r\n"});
    EXPECT_EQ(document.Model().GetPatternBuffer().GetInputLevels()[0], 2);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(hints.empty());

    document.Model().ConsultFile(input, folder.Path("point.txt"));
    ASSERT_NE(ReadFile(folder.Path("point.txt")).find('.'), std::string::npos) << "no fraction to write";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    document.OnConsult();
    document.Model().ConsultFile(input, folder.Path("comma.txt"));
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(scripted.reports.at(1), scripted.reports.at(0));
    EXPECT_EQ(ReadFile(folder.Path("comma.txt")), ReadFile(folder.Path("point.txt")));
}

struct RefusedBatchRow {
    const char* name;
    const char* input;  // in the test's folder; "" for no path
    const char* output;
    const char* error;
};
PRINTS_AS_NAME(RefusedBatchRow)

class RefusedBatchTest : public ConsultTest, public testing::WithParamInterface<RefusedBatchRow> {};

// A batch overwrites nothing it reads, under any spelling, and leaves the output alone when it
// cannot run.
TEST_P(RefusedBatchTest, WritesNothing)
{
    DataFile("in.txt", "1 2 3 4");
    DataFile("net.cvn", "network");
    DataFile("out.txt", "old answers");
    fs::create_directory(folder.Path("sub"));
    fs::create_hard_link(folder.Path("in.txt"), folder.Path("input-hard.txt"));
    fs::create_symlink(folder.Path("net.cvn"), folder.Path("net-link.cvn"));
    const auto before = DirectoryEntries(folder.Root());
    const std::string input = *GetParam().input == '\0' ? "" : folder.Path(GetParam().input);
    const NetworkModel::BatchOutcome outcome =
        document.Model().ConsultFile(input, folder.Path(GetParam().output), folder.Path("net.cvn"));
    EXPECT_FALSE(outcome.written);
    EXPECT_NE(outcome.error.find(GetParam().error), std::string::npos) << outcome.error;
    EXPECT_EQ(DirectoryEntries(folder.Root()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RefusedBatchTest,
    testing::Values(RefusedBatchRow{"TheInput", "in.txt", "in.txt", "is the input file"},
                    RefusedBatchRow{"AHardLinkToTheInput", "in.txt", "input-hard.txt", "is the input file"},
                    RefusedBatchRow{"TheNetworkUnderAnotherName", "in.txt", "./sub/../net.cvn", "is the network's own file"},
                    RefusedBatchRow{"ALinkToTheNetwork", "in.txt", "net-link.cvn", "is the network's own file"},
                    RefusedBatchRow{"AMissingInput", "missing.txt", "out.txt", "missing.txt cannot be read: No such file or directory."},
                    RefusedBatchRow{"NoInput", "", "out.txt", "No input file was given."},
                    RefusedBatchRow{"AMissingFolder", "in.txt", "no/such/folder/out.txt", "cannot be written"},
                    RefusedBatchRow{"AFolderAsOutput", "in.txt", "sub", "It is not a regular file: it is a directory."}),
    RowName());

TEST_F(ConsultTest, TheWindowReportsARefusalInABoxAndAnEarlyStopInTheStatusBar)
{
    if (fs::exists("/dev/full")) {
        const std::string input = DataFile("in.txt", "1 2");
        EXPECT_EQ(document.Model().ConsultFile(input, "/dev/full").error,
                  "Writing the output file /dev/full failed. Writing failed: No space left on device.");
    }
    document.SetPathName(DataFile("net.cvn", "network"));
    scripted.consultOutcome = {true, ConsultPage::Plural};
    scripted.consult = {{0, 0}, DataFile("stops.txt", "1 2 3 4 9,5"), document.GetPathName()};
    document.OnConsult();
    ASSERT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_NE(scripted.stopMessages[0].find("the network's own file"), std::string::npos);
    scripted.consult.outputPath = folder.Path("new.txt");
    document.OnConsult();
    EXPECT_EQ(scripted.statusNotes, std::vector<std::string>{"2 rows read from " + scripted.consult.inputPath +
                                                             "; reading stopped at line 1 at \"9,5\", which is not a number."});
    EXPECT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_EQ(ReadFile(document.GetPathName()), "network");
}

}  // namespace
