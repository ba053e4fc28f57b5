#include <QFileInfo>

#include "shell/command_line.h"
#include "shell_fixture.h"

namespace {

TEST(StartupTest, FileThatCannotBeOpenedEndsWithoutAWindow)
{
    const QTemporaryDir directory;
    CCorvinaApp app;
    const BoxAnswer message(QMessageBox::Ok);
    EXPECT_FALSE(app.CreateMainWindow(directory.filePath("absent.cvn")));
    EXPECT_TRUE(message.text.contains("absent.cvn")) << message.text.toStdString();
    EXPECT_EQ(app.Frame(), nullptr);
}

TEST(StartupTest, FileOnTheCommandLineOpensOrPrintsAndAnEmptyOneIsANewNetwork)
{
    const QTemporaryDir directory;
    const QString saved = directory.filePath("three.cvn");
    const QString empty = directory.filePath("empty.cvn");
    {
        CCorvinaApp first;
        ASSERT_TRUE(first.CreateMainWindow({}));
        first.Document().ChangeShape(3, 6, 4);
        ASSERT_TRUE(first.Manager().SaveDocumentAs(saved.toStdString()));
        WriteFile(empty.toStdString(), "");
    }
    for (const auto& [path, layers, inputs] : {std::tuple{saved, 3, 6}, std::tuple{empty, 5, 4}}) {
        CCorvinaApp app;
        ASSERT_TRUE(app.CreateMainWindow(path));
        EXPECT_EQ(app.Document().GetLayersCount(), layers);
        EXPECT_EQ(app.Document().GetInputCount(), inputs);
        EXPECT_EQ(app.Frame()->windowTitle(), "Corvina - " + QFileInfo(path).fileName());
    }
    const QString pdf = directory.filePath("report.pdf");
    CCorvinaApp printing;
    EXPECT_TRUE(printing.PrintDocument(saved, pdf));
    EXPECT_EQ(printing.Frame(), nullptr);
    EXPECT_GT(QFile(pdf).size(), 0);
}

struct CommandLineRow {
    const char* name;
    QStringList arguments;
    StartupRequest::Action action;
    QString file;
    QString target;
};
PRINTS_AS_NAME(CommandLineRow)

class CommandLineTest : public testing::TestWithParam<CommandLineRow> {};

TEST_P(CommandLineTest, ReadsEveryFormAndRefusesTheRest)
{
    const StartupRequest request = ParseCommandLine(GetParam().arguments);
    EXPECT_EQ(std::tuple(request.action, request.file, request.printTarget),
              std::tuple(GetParam().action, GetParam().file, GetParam().target));
    EXPECT_EQ(request.error.isEmpty(), GetParam().action != StartupRequest::Action::Invalid);
}

using enum StartupRequest::Action;
INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    testing::Values(CommandLineRow{"Nothing", {}, Run, "", ""}, CommandLineRow{"File", {"net.cvn"}, Run, "net.cvn", ""},
                    CommandLineRow{"Print", {"--print", "net.cvn"}, Print, "net.cvn", ""},
                    CommandLineRow{"PrintToPdf", {"--print-to", "out.pdf", "net.cvn"}, Print, "net.cvn", "out.pdf"},
                    CommandLineRow{"PrintNothing", {"--print"}, Invalid, "", ""},
                    CommandLineRow{"UnknownOption", {"--bogus"}, Invalid, "", ""},
                    CommandLineRow{"TwoFiles", {"a.cvn", "b.cvn"}, Invalid, "", ""},
                    CommandLineRow{"ShortHelp", {"-h"}, Help, "", ""},
                    CommandLineRow{"Version", {"--version"}, Version, "", ""},
                    CommandLineRow{"HelpWithAFile", {"--help", "net.cvn"}, Invalid, "", ""},
                    CommandLineRow{"NoMoreScreenshots", {"--screenshots", "pictures"}, Invalid, "", ""}),
    RowName());

}  // namespace
