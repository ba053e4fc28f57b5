#include <QFileInfo>
#include <QProcess>

#include "shell/command_line.h"
#include "shell_fixture.h"

namespace {

QString LineText(CCorvinaApp& app, int id)
{
    return static_cast<QLineEdit*>(app.View()->Control(id))->text();
}

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
    for (const auto& [path, layers, inputs] : {std::tuple{saved, "3", "6"}, std::tuple{empty, "5", "4"}}) {
        CCorvinaApp app;
        ASSERT_TRUE(app.CreateMainWindow(path));
        EXPECT_EQ(LineText(app, IDC_LEVELS_COUNT), layers);
        EXPECT_EQ(LineText(app, IDC_INPUT_COUNT), inputs);
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
    EXPECT_EQ(request.action, GetParam().action);
    EXPECT_EQ(request.error.isEmpty(), GetParam().action != StartupRequest::Action::Invalid);
    EXPECT_EQ(request.file, GetParam().file);
    EXPECT_EQ(request.printTarget, GetParam().target);
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

// One run of the program without a display: its arguments (FOLDER stands for a fresh folder
// holding an empty document, empty.cvn), the exit status, and text its output must hold.
struct HeadlessRun {
    const char* name;
    QStringList arguments;
    int exitStatus;
    const char* standardOutput;  // must be contained; "" for empty
    const char* standardError;   // must be contained; "" for anything
};

PRINTS_AS_NAME(HeadlessRun)

class HeadlessStartTest : public testing::TestWithParam<HeadlessRun> {};

TEST_P(HeadlessStartTest, RunsWithoutADisplay)
{
    const HeadlessRun& run = GetParam();
    const QTemporaryDir folder;
    QFile(folder.filePath("empty.cvn")).open(QIODevice::WriteOnly);
    QStringList arguments;
    for (const QString& argument : run.arguments)
        arguments << QString(argument).replace(QStringLiteral("FOLDER"), folder.path());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(variable));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(CORVINA_PROGRAM), arguments);
    ASSERT_TRUE(program.waitForFinished(20000)) << "the program did not end";
    const QString output = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    EXPECT_EQ(program.exitCode(), run.exitStatus) << errors.toStdString();
    if (*run.standardOutput == '\0')
        EXPECT_TRUE(output.isEmpty()) << output.toStdString();
    else
        EXPECT_TRUE(output.contains(QString::fromUtf8(run.standardOutput))) << output.toStdString();
    EXPECT_TRUE(errors.contains(QString::fromUtf8(run.standardError))) << errors.toStdString();
    if (run.arguments.value(0) == "--print-to" && run.exitStatus == 0) {
        QFile pdf(folder.filePath("out.pdf"));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, HeadlessStartTest,
    testing::Values(HeadlessRun{"Help", {"--help"}, 0, "corvina --print-to PRINTER|FILE.pdf FILE.cvn", ""},
                    HeadlessRun{"PrintToPdf", {"--print-to", "FOLDER/out.pdf", "FOLDER/empty.cvn"}, 0, "", ""},
                    HeadlessRun{"PrintMissingFile", {"--print-to", "FOLDER/out.pdf", "FOLDER/absent.cvn"}, 1, "",
                                "absent.cvn"},
                    HeadlessRun{"UnknownOption", {"--bogus"}, 2, "", "Unknown option --bogus."}),
    RowName());

}  // namespace
