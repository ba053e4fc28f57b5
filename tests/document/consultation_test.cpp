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
    const struct {
        const char* text;
        std::vector<std::pair<double, double>> rows;
        std::string note;
    } cases[] = {{"1 2 3 4", {{1, 2}, {3, 4}}, ""},
                 {"1 2\n3\n4 5", {{1, 2}, {3, 4}}, ""},
                 {"1 2\n3 x 4", {{1, 2}}, "1 row read from IN; reading stopped at line 2 at \"x\", which is not a number."},
                 {"", {}, ""}};
    const std::string output = folder.Path("out.txt");
    for (const auto& c : cases) {
        const std::string input = DataFile("in.txt", c.text);
        const BatchOutcome outcome = document.ConsultFile(input, output);
        ASSERT_TRUE(outcome.written) << outcome.error;
        EXPECT_EQ(outcome.rows, c.rows.size());
        std::string note = c.note;
        if (!note.empty())
            note.replace(note.find("IN"), 2, input);
        EXPECT_EQ(outcome.note, note);
        // Each row's line holds the outputs of a single consultation of it.
        std::string expected;
        for (const auto& [a, b] : c.rows) {
            document.GetConsultValues()[0] = a;
            document.GetConsultValues()[1] = b;
            document.ConsultSingle();
            const PatternBuffer& buffer = document.GetPatternBuffer();
            char line[96];
            std::snprintf(line, sizeof line, "%g %g %g\n", buffer.GetOutput(0) / 3.0, buffer.GetOutput(1) / 3.0,
                          buffer.GetOutput(2) / 3.0);
            expected += line;
        }
        EXPECT_EQ(ReadFile(output), expected) << c.text;
    }
}

TEST_F(DocumentTest, ABatchOverwritesNothingItReadsAndLeavesTheOutputWhenItCannotRun)
{
    namespace fs = std::filesystem;
    const std::string input = DataFile("in.txt", "1 2 3 4");
    const std::string network = DataFile("net.cvn", "network");
    fs::create_directory(folder.Path("sub"));
    fs::create_symlink(input, folder.Path("input-link.txt"));
    fs::create_hard_link(input, folder.Path("input-hard.txt"));
    fs::create_symlink(network, folder.Path("net-link.cvn"));
    fs::create_hard_link(network, folder.Path("net-hard.cvn"));
    const std::string oldAnswers = DataFile("out.txt", "old answers");
    document.SetPathName(network);
    const struct {
        std::string input, output, error;
    } refusals[] = {
        {input, input, "is the input file"},
        {input, folder.Path("sub/../in.txt"), "is the input file"},
        {input, folder.Path("input-link.txt"), "is the input file"},
        {input, folder.Path("input-hard.txt"), "is the input file"},
        {input, network, "is the network's own file"},
        {input, folder.Path("./sub/../net.cvn"), "is the network's own file"},
        {input, folder.Path("net-link.cvn"), "is the network's own file"},
        {input, folder.Path("net-hard.cvn"), "is the network's own file"},
        {folder.Path("missing.txt"), oldAnswers, "The input file " + folder.Path("missing.txt") +
                                                     " cannot be read: No such file or directory."},
        {folder.Path("sub"), oldAnswers, "cannot be read: Is a directory."},
        {"", oldAnswers, "No input file was given."},
        {input, folder.Path("no/such/folder/out.txt"), "cannot be written"},
        {input, folder.Path("sub"), "It is not a regular file: it is a directory."},
    };
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.input + " -> " + c.output);
        const BatchOutcome outcome = document.ConsultFile(c.input, c.output);
        EXPECT_FALSE(outcome.written);
        EXPECT_NE(outcome.error.find(c.error), std::string::npos) << outcome.error;
        EXPECT_EQ(ReadFile(input), "1 2 3 4");
        EXPECT_EQ(ReadFile(network), "network");
        EXPECT_EQ(ReadFile(oldAnswers), "old answers");
    }
    if (fs::exists("/dev/full")) {
        const BatchOutcome full = document.ConsultFile(input, "/dev/full");
        EXPECT_EQ(full.error, "Writing the output file /dev/full failed. Writing failed: No space left on device.");
    }

    // The window reports a refusal in a box and where reading stopped in the status bar.
    scripted.consultOutcome = {true, ConsultPage::Plural};
    scripted.consultInputPath = folder.Path("missing.txt");
    scripted.consultOutputPath = folder.Path("new.txt");
    document.OnConsult();
    ASSERT_EQ(scripted.stopMessages.size(), 1u);
    EXPECT_NE(scripted.stopMessages[0].find("missing.txt cannot be read"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.Path("new.txt")));
    scripted.consultInputPath = DataFile("stops.txt", "1 2 3 4 5 6 7 8 9,5");
    document.OnConsult();
    EXPECT_EQ(scripted.statusNotes, std::vector<std::string>{"2 rows read from " + scripted.consultInputPath +
                                                             "; reading stopped at line 1 at \"9,5\", which is not a number."});
    EXPECT_EQ(scripted.stopMessages.size(), 1u);
}
