#include <filesystem>

#include "tests/cli/cli_fixture.h"

namespace {

class ExportCommandTest : public CliTest {
protected:
    void SetUp() override
    {
        RunOk({"new", Path("my-net 2.cvn"), "--layers", "3", "--inputs", "4", "--outputs", "3", "--randomize",
               "--seed", "5"});
        std::filesystem::create_directory(Path("out"));
    }
};

TEST_F(ExportCommandTest, WritesHeaderAndSourceNamedAfterTheDocument)
{
    const std::string out = RunOk({"export", Path("my-net 2.cvn"), "--c", Path("out")});
    EXPECT_EQ(Lines(out), (std::vector<std::string>{
                              "Exported " + Path("my-net 2.cvn") + " as " + Path("out/my_net_2.h") + " and " +
                                  Path("out/my_net_2.c"),
                              "Constant data: 15432 bytes; working memory: 15 bytes on the stack",
                          }));
    const std::string header = ReadFile(Path("out/my_net_2.h"));
    EXPECT_NE(header.find("the network my-net 2.cvn as standalone C99"), std::string::npos);
    EXPECT_NE(header.find("void my_net_2_consult(const double *in, double *out);"), std::string::npos);
    EXPECT_NE(ReadFile(Path("out/my_net_2.c")).find("#include \"my_net_2.h\""), std::string::npos);
}

TEST_F(ExportCommandTest, NameAndFloatTablesOptions)
{
    const std::string out = RunOk({"export", Path("my-net 2.cvn"), "--c", Path("out"), "--name", "Iris",
                                   "--float-tables"});
    EXPECT_NE(out.find("Constant data: 8264 bytes"), std::string::npos) << out;
    EXPECT_NE(ReadFile(Path("out/Iris.h")).find("void Iris_consult(const float *in, float *out);"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(Path("out/Iris.c")));
}

}  // namespace
