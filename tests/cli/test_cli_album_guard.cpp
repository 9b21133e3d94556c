// mirulane-cli and the album list files it changes: a second run on the same file is held
// out, an edit made while a run works is never overwritten, and a file that is no album list
// file is neither opened nor replaced.

#include <gtest/gtest.h>

#include <string>

#include "album/album_file.h"
#include "app/album_guard.h"
#include "cli/cli.h"
#include "fixtures/cli_runner.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"

namespace {

using mirulane::fixtures::CliResult;

class CliAlbumGuard : public ::testing::Test {
  protected:
    mirulane::fixtures::TempDir dir;
    std::string list = dir.path() + "/album.txt";

    CliResult Cli(const std::string& args) {
        return mirulane::fixtures::RunCli(MIRULANE_CLI_PATH, "--profile none.ini " + args,
                                          dir.path());
    }
    void SetUp() override {
        dir.Write("photos/P1.JPG", mirulane::fixtures::MakeJpeg(8, 6));
        CliResult made = Cli("scan photos -o album.txt");
        ASSERT_EQ(made.status, 0) << made.err;
    }
};

// While `album C --thumbs` worked, `options C/C.txt --title EDITED` succeeded, and the album
// run's save then dropped the title. Every command that changes the list file now holds its
// lock for the whole run; a second one fails at once and changes nothing.
TEST_F(CliAlbumGuard, ASecondRunOnTheSameListFileFailsAtOnce) {
    const std::string before = dir.Read("album.txt");
    {
        mirulane::AlbumLock running(list);
        ASSERT_EQ(running.status(), mirulane::AlbumLock::Status::Held);
        for (const char* command :
             {"options album.txt --title EDITED", "refresh album.txt", "album photos -o album.txt",
              "scan photos -o album.txt", "resave album.txt -o album.txt",
              "generate album.txt --title EDITED --force",
              "thumbs album.txt --to photos/t --save"}) {
            CliResult r = Cli(command);
            EXPECT_EQ(r.status, 1) << command;
            EXPECT_EQ(r.err,
                      "mirulane-cli: album.txt は別の mirulane-cli が処理中です。その処理が"
                      "終わってから、もう一度実行してください\n")
                << command;
        }
        EXPECT_EQ(dir.Read("album.txt"), before);
        // Reading only is no change.
        EXPECT_EQ(Cli("options album.txt").status, 0);
    }
    CliResult edited = Cli("options album.txt --title EDITED");
    EXPECT_EQ(edited.status, 0) << edited.err;
    EXPECT_NE(dir.Read("album.txt").find("\tEDITED\t"), std::string::npos);
    EXPECT_FALSE(mirulane::FileExists(dir.path() + "/.album.txt.lock"));
}

// The window saves without the lock: its edit, made between a run's read and the run's save,
// used to be overwritten. The run now keeps it, says so and fails.
TEST_F(CliAlbumGuard, AnEditSavedWhileARunWorksIsKept) {
    mirulane::cli::ConsoleInteraction console(false);
    mirulane::Session session(console);
    const mirulane::cli::CommandSpec refresh{"refresh", "", "", "", 1, 1, {}, false, nullptr};
    mirulane::cli::Context ctx{session, console, refresh, {}};
    ASSERT_TRUE(mirulane::cli::LockAlbum(ctx, list));
    ASSERT_TRUE(mirulane::cli::OpenAlbum(ctx, list));

    mirulane::Album window;
    mirulane::ScriptedInteraction ui;
    ASSERT_EQ(mirulane::ReadAlbumFile(window, list, nullptr).value_or({.entries = -1}).entries, 1);
    window.style.TopTitle = "EDITED";
    ASSERT_EQ(mirulane::WriteAlbumFile(window, list).value_or(-1), 1);
    const std::string edited = dir.Read("album.txt");

    session.album.entries.SetField(0, mirulane::COL_TITLE, "run");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mirulane::cli::SaveAlbum(ctx, list));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "mirulane-cli: " + list +
                  " は読み込んだ後にほかのプログラムで変更されたため、保存しませんでした"
                  "（その変更はそのまま残っています）\n");
    EXPECT_EQ(dir.Read("album.txt"), edited);
}

// A text file of the user's is not an album: no command opens it, and none replaces it.
TEST_F(CliAlbumGuard, AFileThatIsNoAlbumIsNeitherOpenedNorReplaced) {
    const std::string readme = "Read me first\r\nInstall it\r\n";
    dir.Write("readme.txt", readme);
    CliResult opened = Cli("options readme.txt --title EDITED");
    EXPECT_EQ(opened.status, 1);
    EXPECT_EQ(opened.err, "[オープンエラー] readme.txt\nはアルバムリストファイルではありません\n");
    for (const char* command : {"scan photos -o readme.txt", "resave album.txt -o readme.txt",
                                "album photos -o readme.txt"}) {
        CliResult r = Cli(command);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find("readme.txt"), std::string::npos) << command << r.err;
    }
    EXPECT_EQ(Cli("scan photos -o readme.txt").err,
              "mirulane-cli: readme.txt はアルバムリストファイルではないため、置き換えません。"
              "別のファイルを指定してください\n");
    EXPECT_EQ(dir.Read("readme.txt"), readme);
    // An album list file, an empty file and a new name are written.
    for (const char* out : {"album.txt", "copy.txt"}) {
        CliResult r = Cli(std::string("resave album.txt -o ") + out);
        EXPECT_EQ(r.status, 0) << out << r.err;
    }
    dir.Write("empty.txt", "");
    EXPECT_EQ(Cli("scan photos -o empty.txt").status, 0);
}

}  // namespace
