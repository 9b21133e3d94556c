// mirulane-cli as a process: the album list file round trip and its exit statuses.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "fixtures/cli_runner.h"
#include "fixtures/image_builder.h"

namespace {

using mirulane::fixtures::CliResult;

TEST(CliResave, RoundTripsAndReportsFailuresInUtf8) {
    mirulane::fixtures::TempDir dir;
    auto cli = [&](const std::string& args) {
        return mirulane::fixtures::RunCli(MIRULANE_CLI_PATH, args, dir.path());
    };
    // "写真" in Shift-JIS, a comment and a note line.
    dir.Write("in.txt", std::string("#[TargetInfo]\t/x\n# note\n\x8E\xCA\x90\x5E.jpg\tt\n"));
    dir.Write("p.ini", "[Environment]\nEnvGetExif=0\n");
    CliResult ok = cli("--profile p.ini resave in.txt -o out.txt");
    EXPECT_EQ(ok.status, 0) << ok.err;
    std::string out = dir.Read("out.txt");
    EXPECT_NE(out.find("#[TargetInfo]\t/x\r\n"), std::string::npos);
    EXPECT_NE(out.find("\r\n\x8E\xCA\x90\x5E.jpg\tt\t"), std::string::npos);

    CliResult missing = cli("resave nothere.txt -o out2.txt");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("入力ファイルを開けません(errno=2)\nnothere.txt"), std::string::npos)
        << missing.err;

    CliResult cannotWrite = cli("resave in.txt -o no/such/out.txt");
    EXPECT_EQ(cannotWrite.status, 1);
    EXPECT_NE(cannotWrite.err.find("出力ファイルを開けません(errno=2)"), std::string::npos);

    // "¥" would turn into a separator in Shift-JIS and name in/x.txt instead.
    dir.Write("in¥x.txt", "a.jpg\tyen\n");
    dir.Write("in/x.txt", "a.jpg\tother\n");
    CliResult yen = cli("resave 'in¥x.txt' -o yen.txt");
    EXPECT_EQ(yen.status, 1);
    EXPECT_NE(yen.err.find("「in¥x.txt」は Shift-JIS (CP932) で表せません"), std::string::npos)
        << yen.err;

    // A "\" is a separator to every file access of the album: in\x.txt would read in/x.txt,
    // and -o would write into a folder.
    dir.Write("in\\x.txt", "a.jpg\tbackslash\n");
    CliResult backslash = cli("resave 'in\\x.txt' -o bs.txt");
    EXPECT_EQ(backslash.status, 1);
    EXPECT_NE(backslash.err.find("「in\\x.txt」は「\\」を含むため使用できません（「\\」はフォルダの"
                                 "区切りとして読まれます）"),
              std::string::npos)
        << backslash.err;
    EXPECT_EQ(1, cli("resave in.txt -o 'in\\out.txt'").status);
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/in/out.txt"));

    EXPECT_EQ(cli("resave in.txt").status, 2);
    EXPECT_EQ(cli("frobnicate").status, 2);
}

}  // namespace
