// mirulane-cli generate: the album written from an album list file, the printed path of
// index.html, existing files kept without --force and replaced with it, and a failed run.

#include <gtest/gtest.h>

#include <string>

#include "album/album_file.h"
#include "album/settings.h"
#include "fixtures/cli_runner.h"
#include "fixtures/image_builder.h"
#include "html/output_folders.h"
#include "platform/paths.h"
#include "support/scripted_interaction.h"

namespace {

using mirulane::fixtures::CliResult;

TEST(CliGenerate, WritesKeepsReplacesAndFails) {
    mirulane::fixtures::TempDir dir;
    auto cli = [&](const std::string& args) {
        return mirulane::fixtures::RunCli(MIRULANE_CLI_PATH, "--profile p.ini " + args, dir.path());
    };
    dir.Write("p.ini", "[Environment]\nEnvForceOverWrite=0\n");
    dir.Write("photos/P1.JPG", mirulane::fixtures::MakeJpeg(1600, 1200));
    dir.Write("photos/thumb/P1.jpg", mirulane::fixtures::MakeJpeg(160, 120));

    mirulane::Album album;
    mirulane::Settings settings;
    mirulane::SetDefaultFolders(album.style, dir.path() + "/photos", settings);
    album.style.ListPreset = 1;
    album.entries.Append("P1.JPG");
    album.entries.Append("P2.JPG");
    mirulane::ScriptedInteraction ui;
    ASSERT_LE(0, mirulane::WriteAlbumFile(album, dir.path() + "/album.txt").value_or(-1));

    CliResult first = cli("generate album.txt");
    EXPECT_EQ(0, first.status) << first.err;
    EXPECT_EQ(dir.path() + "/photos/index.html\n", first.out);
    EXPECT_NE(std::string::npos, dir.Read("photos/html/list.html").find("../thumb/P1.jpg"));
    EXPECT_NE(std::string::npos,
              dir.Read("photos/html/P1.html").find("height=\"300\" width=\"400\""));
    EXPECT_NE(std::string::npos, dir.Read("photos/html/P2.html").find("\r\n"));

    // Nobody to ask: the edited file is kept and named.
    dir.Write("photos/html/P2.html", "kept");
    CliResult again = cli("generate album.txt");
    EXPECT_EQ(0, again.status) << again.err;
    EXPECT_EQ("kept", dir.Read("photos/html/P2.html"));
    EXPECT_NE(std::string::npos,
              again.err.find("保持（手で編集されたファイル）: 1件（--force で上書きします）\n  " +
                             dir.path() + "/photos/html/P2.html\n"))
        << again.err;

    CliResult forced = cli("generate album.txt --force");
    EXPECT_EQ(0, forced.status) << forced.err;
    EXPECT_NE("kept", dir.Read("photos/html/P2.html"));

    // A template file that is not there fails the run with the closing message.
    album.style.DetailUseFile = mirulane::TemplateSource::File;
    album.style.DetailTemplateFile = dir.path() + "/none.html";
    ASSERT_LE(0, mirulane::WriteAlbumFile(album, dir.path() + "/broken.txt").value_or(-1));
    CliResult failed = cli("generate broken.txt --force");
    EXPECT_EQ(1, failed.status);
    EXPECT_EQ("", failed.out);
    EXPECT_NE(std::string::npos,
              failed.err.find("指定されたテンプレートファイルを開けません(errno=2)"));
    EXPECT_NE(std::string::npos,
              failed.err.find("[エラーメッセージ] HTMLページの作成に失敗しました"));

    // An album without entries has nothing to write.
    dir.Write("empty.txt", "#[TargetInfo]\t" + dir.path() + "\n");
    CliResult empty = cli("generate empty.txt --force");
    EXPECT_EQ(1, empty.status);
    EXPECT_NE(std::string::npos, empty.err.find("アルバムにエントリが１件もないため")) << empty.err;

    EXPECT_EQ(2, cli("generate").status);
    EXPECT_EQ(2, cli("generate a.txt b.txt").status);
    EXPECT_EQ(1, cli("generate missing.txt").status);
}

}  // namespace
