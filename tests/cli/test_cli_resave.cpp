// mirulane-cli as a process: the album list file round trip and its exit statuses.

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "fixtures/image_builder.h"

namespace {

struct CliRun {
    int status;
    std::string err;
};

// Runs mirulane-cli with a shell command line (arguments already quoted), capturing stderr.
CliRun Cli(const std::string& args, const mirulane::fixtures::TempDir& dir) {
    std::string cmd = std::string("cd '") + dir.path() + "' && '" MIRULANE_CLI_PATH "' " + args +
                      " 2>&1 >/dev/null </dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int rc = pclose(p);
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, out};
}

TEST(CliResave, RoundTripsAndReportsFailuresInUtf8) {
    mirulane::fixtures::TempDir dir;
    // "写真" in Shift-JIS, a comment and a note line.
    dir.Write("in.txt", std::string("#[TargetInfo]\t/x\n# note\n\x8E\xCA\x90\x5E.jpg\tt\n"));
    dir.Write("p.ini", "[Environment]\nEnvGetExif=0\n");
    CliRun ok = Cli("--profile p.ini resave in.txt -o out.txt", dir);
    EXPECT_EQ(ok.status, 0) << ok.err;
    std::string out = dir.Read("out.txt");
    EXPECT_NE(out.find("#[TargetInfo]\t/x\r\n"), std::string::npos);
    EXPECT_NE(out.find("\r\n\x8E\xCA\x90\x5E.jpg\tt\t"), std::string::npos);

    CliRun missing = Cli("resave nothere.txt -o out2.txt", dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("入力ファイルを開けません(errno=2)\nnothere.txt"), std::string::npos)
        << missing.err;

    CliRun cannotWrite = Cli("resave in.txt -o no/such/out.txt", dir);
    EXPECT_EQ(cannotWrite.status, 1);
    EXPECT_NE(cannotWrite.err.find("出力ファイルを開けません(errno=2)"), std::string::npos);

    EXPECT_EQ(Cli("resave in.txt", dir).status, 2);
    EXPECT_EQ(Cli("frobnicate", dir).status, 2);
}

}  // namespace
