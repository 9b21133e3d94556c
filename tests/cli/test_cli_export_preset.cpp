// mirulane-cli export-preset as a process: file names, layouts, existing files, usage errors.

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "fixtures/image_builder.h"
#include "html/presets.h"
#include "platform/text.h"

namespace {

struct ExportRun {
    int status;
    std::string err;
};

ExportRun ExportPreset(const std::string& args, const mirulane::fixtures::TempDir& dir) {
    std::string cmd = std::string("cd '") + dir.path() +
                      "' && '" MIRULANE_CLI_PATH "' --profile none.ini export-preset " + args +
                      " 2>&1 >/dev/null </dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int rc = pclose(p);
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, out};
}

TEST(CliExportPreset, WritesPresetsInTextModeUnderTheProposedNames) {
    mirulane::fixtures::TempDir dir;
    ExportRun r = ExportPreset("detail 1 -o .", dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.Read("template2.html"), mirulane::ToCrLf(mirulane::DetailPreset(1)));

    r = ExportPreset("list 4 --layout h -o .", dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.Read("lsttmplt5h.html"), mirulane::ToCrLf(mirulane::ListPreset(4, true)));

    r = ExportPreset("list 0 -o mine.html", dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.Read("mine.html"), mirulane::ToCrLf(mirulane::ListPreset(0, false)));
}

TEST(CliExportPreset, KeepsExistingFilesUnlessForced) {
    mirulane::fixtures::TempDir dir;
    dir.Write("t.html", "mine");
    ExportRun r = ExportPreset("detail 11 -o t.html", dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("既存のファイルを残しました（--force で上書きします）: t.html"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(dir.Read("t.html"), "mine");

    r = ExportPreset("detail 11 --force -o t.html", dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.Read("t.html"), mirulane::ToCrLf(mirulane::DetailPreset(11)));
}

TEST(CliExportPreset, RefusesBadArgumentsAndReportsWriteFailures) {
    mirulane::fixtures::TempDir dir;
    EXPECT_EQ(ExportPreset("detail 17 -o x.html", dir).status, 2);
    EXPECT_EQ(ExportPreset("list 5 -o x.html", dir).status, 2);
    EXPECT_EQ(ExportPreset("list -1 -o x.html", dir).status, 2);
    EXPECT_EQ(ExportPreset("top 0 -o x.html", dir).status, 2);
    EXPECT_EQ(ExportPreset("list 0 --layout d -o x.html", dir).status, 2);
    EXPECT_EQ(ExportPreset("list 0", dir).status, 2);

    ExportRun r = ExportPreset("detail 0 -o no/such/x.html", dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("出力ファイルを開けません(errno=2)\nno/such/x.html"), std::string::npos)
        << r.err;
}

}  // namespace
