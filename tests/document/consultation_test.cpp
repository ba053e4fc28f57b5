#include <filesystem>

#include "tests/document/document_fixture.h"

TEST_F(DocumentTest, TheReportHasOneLinePerOutput)
{
    document.CreateNetwork(1, 1, 3);
    for (int32_t j = 0; j < 3; ++j) {
        for (int32_t level = 0; level < 256; ++level)
            document.GetTable(Column::Output, j)[level] = level / 4.0 + j;
    }
    const std::string report = document.ConsultSingle();
    std::string expected;
    for (int32_t j = 0; j < 3; ++j) {
        char line[64];
        std::snprintf(line, sizeof line, "Output # %d, - \t%f\r\n", j,
                      document.GetPatternBuffer().GetOutput(j) / 4.0 + j);
        expected += line;
    }
    EXPECT_EQ(report, expected);
}

TEST_F(DocumentTest, OnConsultRunsThePageThatWasShowingAndKeepsThePaths)
{
    scripted.consultValues = {1.5, 0, 0, 0};
    scripted.consultInputPath = "in.txt";
    scripted.consultOutputPath = "out.txt";
    scripted.consultOutcome = {false, ConsultPage::Plural};
    document.OnConsult();
    EXPECT_EQ(document.GetConsultInputPath(), "in.txt");
    EXPECT_EQ(document.GetConsultOutputPath(), "out.txt");
    EXPECT_TRUE(scripted.reports.empty());

    scripted.consultOutcome = {true, ConsultPage::Singular};
    document.OnConsult();
    EXPECT_EQ(scripted.shownConsultPaths.back(), "in.txt|out.txt");
    EXPECT_EQ(scripted.reports.size(), 1u);
    EXPECT_EQ(document.GetPatternBuffer().GetInputLevels()[0], 2);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentTest, ABatchWritesOneLinePerCompleteRow)
{
    document.CreateNetwork(2, 2, 3);
    document.OnRandomization();
    for (int32_t level = 0; level < 256; ++level) {
        for (int32_t j = 0; j < 3; ++j)
            document.GetTable(Column::Output, j)[level] = level / 3.0;
        document.GetTable(Column::Input, 0)[level] = document.GetTable(Column::Input, 1)[level] = level;
    }
    const struct {
        const char* text;
        std::vector<std::pair<double, double>> rows;
    } cases[] = {
        {"1 2 3 4", {{1, 2}, {3, 4}}},
        {"1 2\n3\n4 5", {{1, 2}, {3, 4}}},
        {"1 2 x 4", {{1, 2}}},
        {"", {}},
    };
    const std::string output = folder.Path("out.txt");
    for (const auto& c : cases) {
        std::string error;
        ASSERT_TRUE(document.ConsultFile(DataFile("in.txt", c.text), output, error)) << error;
        // Each row's line holds the single consultation's outputs.
        std::string expected;
        for (const auto& [a, b] : c.rows) {
            document.GetConsultValues()[0] = a;
            document.GetConsultValues()[1] = b;
            document.ConsultSingle();
            for (int32_t j = 0; j < 3; ++j) {
                char value[64];
                std::snprintf(value, sizeof value, j < 2 ? "%g " : "%g\n",
                              document.GetPatternBuffer().GetOutput(j) / 3.0);
                expected += value;
            }
        }
        EXPECT_EQ(ReadFile(output), expected) << c.text;
    }
    std::string error;
    EXPECT_TRUE(document.ConsultFile(folder.Path("missing.txt"), output, error));
    EXPECT_EQ(ReadFile(output), "");
}

TEST_F(DocumentTest, ABatchNeverOverwritesItsInput)
{
    const std::string input = DataFile("in.txt", "1 2 3 4");
    std::filesystem::create_symlink(input, folder.Path("link.txt"));
    for (const std::string& output : {input, folder.Path("./in.txt"), folder.Path("link.txt")}) {
        std::string error;
        EXPECT_FALSE(document.ConsultFile(input, output, error)) << output;
        EXPECT_NE(error, "");
        EXPECT_EQ(ReadFile(input), "1 2 3 4");
    }
}

TEST_F(DocumentTest, AnOutputThatCannotBeWrittenIsReportedOnce)
{
    scripted.consultInputPath = DataFile("in.txt", "1 2 3 4");
    scripted.consultOutputPath = folder.Path("no/such/folder/out.txt");
    scripted.consultOutcome = {true, ConsultPage::Plural};
    document.OnConsult();
    ASSERT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_NE(scripted.stopMessages[0].find("cannot be created"), std::string::npos);

    std::string error;
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(document.ConsultFile(scripted.consultInputPath, "/dev/full", error));
        EXPECT_NE(error.find("failed"), std::string::npos);
    }
}
