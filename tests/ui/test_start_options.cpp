// `mirulane` started where no display can show its window: help and version still answer, a
// plain start says why it cannot open in one line (Qt itself would abort).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fixtures/cli_runner.h"

namespace {

using mirulane::fixtures::RunCli;
using mirulane::fixtures::ShellQuote;

mirulane::fixtures::CliResult RunWithoutDisplay(const std::string& args) {
    return RunCli("env",
                  "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                      ShellQuote(MIRULANE_GUI_PATH) + " " + args,
                  std::filesystem::temp_directory_path().string());
}

TEST(StartWithoutDisplay, HelpAndVersionPrintToStdoutAndSucceed) {
    auto help = RunWithoutDisplay("--help");
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.rfind("使い方: mirulane ", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    EXPECT_EQ(help.err, "");

    auto version = RunWithoutDisplay("--version");
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, "mirulane " MIRULANE_VERSION "\n");
    EXPECT_EQ(version.err, "");
}

TEST(StartWithoutDisplay, PlainStartOrAlbumSaysSoInOneLineAndFails) {
    for (const char* args : {"", "album.txt"}) {
        auto start = RunWithoutDisplay(args);
        EXPECT_EQ(start.status, 1) << args;
        EXPECT_EQ(start.out, "") << args;
        EXPECT_EQ(start.err.rfind("mirulane: 画面がないためウィンドウを開けません", 0), 0u)
            << start.err;
        EXPECT_EQ(start.err.find('\n'), start.err.size() - 1) << start.err;
    }
}

}  // namespace
