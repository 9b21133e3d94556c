// mirulane-cli's help, version and usage errors: help and version on stdout with exit 0, the
// README's command list in step with the help, and every usage error naming its cause.

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "fixtures/cli_runner.h"
#include "fixtures/image_builder.h"

namespace {

using mirulane::fixtures::CliResult;

CliResult Cli(const std::string& args) {
    mirulane::fixtures::TempDir dir;
    return mirulane::fixtures::RunCli(MIRULANE_CLI_PATH, args, dir.path());
}

TEST(CliHelp, HelpAndVersionGoToStdoutAndTheReadmeListsEveryCommand) {
    CliResult help = Cli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(Cli("help").out, help.out);
    EXPECT_EQ(Cli("-h").out, help.out);

    std::ifstream readmeFile(MIRULANE_SOURCE_DIR "/README.md");
    std::stringstream readme;
    readme << readmeFile.rdbuf();
    // Each command's synopsis line of the help stands in the README, and each is described.
    static const std::regex kCommand(R"(\n  ([a-z-]+) ([^\n]*)\n      (\S[^\n]*)(?=\n))");
    int commands = 0;
    for (std::sregex_iterator it(help.out.begin(), help.out.end(), kCommand), end; it != end;
         ++it, ++commands) {
        std::string synopsis = (*it)[1].str() + " " + (*it)[2].str();
        EXPECT_NE(readme.str().find("  " + synopsis), std::string::npos)
            << "README lacks: " << synopsis;
        CliResult one = Cli("help " + (*it)[1].str());
        EXPECT_EQ(one.status, 0) << synopsis;
        EXPECT_EQ(one.out.rfind("使い方: mirulane-cli [--profile FILE] " + synopsis + "\n" +
                                    (*it)[3].str() + "\n",
                                0),
                  0u)
            << one.out;
        EXPECT_EQ(Cli((*it)[1].str() + " --help").out, one.out);
    }
    EXPECT_EQ(commands, 9) << help.out;
    for (const char* option :
         {"--layout N", "--frame-size N", "--list-preset N", "--detail-preset N",
          "--list-template FILE", "--detail-template FILE", "--title TEXT", "--thumb-size WxH",
          "--image-size WxH", "--profile FILE", "--version"}) {
        EXPECT_NE(help.out.find("  " + std::string(option) + " "), std::string::npos) << option;
    }
    // The commands that take the page options list the presets by number.
    EXPECT_NE(Cli("help album").out.find("   4 サムネイル＋枠＋撮影情報\n"), std::string::npos);

    CliResult version = Cli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex(R"(mirulane-cli \d+\.\d+\.\d+\.\d+\n)")))
        << version.out;
    EXPECT_EQ(Cli("--profile x.ini --version").out, version.out);
}

TEST(CliHelp, UsageErrorsNameTheirCause) {
    struct Case {
        const char* args;
        const char* message;
    };
    for (const Case& c : {
             Case{"album photos --thumb", "「--thumb」は album コマンドのオプションではありません"},
             Case{"album photos --exif-only", "--exif-only は --thumbs と一緒に指定してください"},
             Case{"scan photos -o", "オプション -o の後に LIST.txt を指定してください"},
             Case{"scan photos", "オプション -o でアルバムリストファイルを指定してください"},
             Case{"album", "FOLDER を指定してください"},
             Case{"generate a.txt b.txt", "余分な引数「b.txt」があります"},
             Case{"resave a.txt -o b.txt -o c.txt", "オプション -o が２回指定されています"},
             Case{"frobnicate", "「frobnicate」というコマンドはありません"},
             Case{"--frobnicate", "「--frobnicate」というオプションはありません"},
             Case{"help frobnicate", "「frobnicate」というコマンドはありません"},
             Case{"", "コマンドを指定してください"},
             Case{"--profile", "オプション --profile の後に FILE を指定してください"},
         }) {
        CliResult r = Cli(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_EQ(r.err.rfind(std::string("mirulane-cli: ") + c.message + "\n使い方: ", 0), 0u)
            << c.args << "\n"
            << r.err;
    }
}

}  // namespace
