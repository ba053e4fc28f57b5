#include <filesystem>

#include "tests/document/document_fixture.h"

TEST_F(DocumentTest, OnConsultRunsThePageThatWasShowingAndKeepsThePaths)
{
    for (int32_t level = 0; level < 256; ++level) {
        document.GetTable(Column::Output, 0)[level] = level / 4.0;
        document.GetTable(Column::Output, 1)[level] = level / 4.0 + 1;
    }
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
    EXPECT_EQ(document.GetPatternBuffer().GetInputLevels()[0], 2);
    char report[128];
    std::snprintf(report, sizeof report, "Output # 0, - \t%f\r\nOutput # 1, - \t%f\r\n",
                  document.GetPatternBuffer().GetOutput(0) / 4.0, document.GetPatternBuffer().GetOutput(1) / 4.0 + 1);
    EXPECT_EQ(scripted.reports, std::vector<std::string>{report});
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentTest, ABatchWritesOneLinePerCompleteRow)
{
    document.ChangeShape(2, 2, 3);
    document.OnRandomization();
    for (int32_t entry = 0; entry < 3 * 256; ++entry)
        document.GetTable(Column::Output, 0)[entry] = (entry % 256) / 3.0;
    const std::pair<const char*, std::vector<std::pair<double, double>>> cases[] = {
        {"1 2 3 4", {{1, 2}, {3, 4}}}, {"1 2\n3\n4 5", {{1, 2}, {3, 4}}}, {"1 2 x 4", {{1, 2}}}, {"", {}}};
    const std::string output = folder.Path("out.txt");
    for (const auto& [text, rows] : cases) {
        std::string error;
        ASSERT_TRUE(document.ConsultFile(DataFile("in.txt", text), output, error)) << error;
        // Each row's line holds the outputs of a single consultation of it.
        std::string expected;
        for (const auto& [a, b] : rows) {
            document.GetConsultValues()[0] = a;
            document.GetConsultValues()[1] = b;
            document.ConsultSingle();
            const PatternBuffer& buffer = document.GetPatternBuffer();
            char line[96];
            std::snprintf(line, sizeof line, "%g %g %g\n", buffer.GetOutput(0) / 3.0, buffer.GetOutput(1) / 3.0,
                          buffer.GetOutput(2) / 3.0);
            expected += line;
        }
        EXPECT_EQ(ReadFile(output), expected) << text;
    }
    std::string error;
    EXPECT_TRUE(document.ConsultFile(folder.Path("missing.txt"), output, error));
    EXPECT_EQ(ReadFile(output), "");
}

TEST_F(DocumentTest, ABatchRefusesToOverwriteItsInputAndReportsAnUnwritableOutput)
{
    const std::string input = DataFile("in.txt", "1 2 3 4");
    std::filesystem::create_symlink(input, folder.Path("link.txt"));
    for (const std::string& output : {input, folder.Path("./in.txt"), folder.Path("link.txt")}) {
        std::string error;
        EXPECT_FALSE(document.ConsultFile(input, output, error)) << output;
        EXPECT_NE(error.find("is the input file"), std::string::npos);
        EXPECT_EQ(ReadFile(input), "1 2 3 4");
    }

    scripted.consultInputPath = input;
    scripted.consultOutputPath = folder.Path("no/such/folder/out.txt");
    scripted.consultOutcome = {true, ConsultPage::Plural};
    document.OnConsult();
    ASSERT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_NE(scripted.stopMessages[0].find("cannot be created"), std::string::npos);
    std::string error;
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(document.ConsultFile(input, "/dev/full", error));
        EXPECT_NE(error.find("failed"), std::string::npos);
    }
}
