#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// One run of the program without a display: its arguments (FOLDER stands for a fresh folder
// holding an empty document, empty.cvn), the exit status, and text its output must hold.
struct HeadlessRun {
    const char* name;
    QStringList arguments;
    int exitStatus;
    const char* standardOutput;  // must be contained; "" for empty
    const char* standardError;   // must be contained; "" for anything
};

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
                    HeadlessRun{"Version", {"--version"}, 0, "Corvina Version 1.0", ""},
                    HeadlessRun{"PrintToPdf", {"--print-to", "FOLDER/out.pdf", "FOLDER/empty.cvn"}, 0, "", ""},
                    HeadlessRun{"PrintMissingFile", {"--print-to", "FOLDER/out.pdf", "FOLDER/absent.cvn"}, 1, "",
                                "absent.cvn"},
                    HeadlessRun{"UnknownOption", {"--bogus"}, 2, "", "Unknown option --bogus."}),
    [](const testing::TestParamInfo<HeadlessRun>& row) { return std::string(row.param.name); });

}  // namespace
