// Output folders that are links to folders of the user's own (thumb -> ~/Pictures/mypics):
// the files there that the program never wrote survive every run, --force included, and the
// run says which it kept.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "fixtures/cli_runner.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace mirulane::fixtures;

TEST(LinkedOutputsE2E, TheUsersFilesInALinkedOutputFolderSurviveForce) {
    TempDir dir;
    dir.Write("photos/IMG_0001.JPG", MakeCameraJpeg());
    dir.Write("photos/notes.jpg", MakeCameraJpeg());
    // The user's own files, in the folders the output folders link to.
    const std::string userPhoto = MakeJpeg(480, 640, {}, 3000);
    const std::string userNotes = "<html>my notes</html>\r\n";
    dir.Write("Pictures/mypics/IMG_0001.JPG", userPhoto);
    dir.Write("Documents/mynotes/notes.html", userNotes);
    fs::create_directory_symlink(dir.path() + "/Pictures/mypics", dir.path() + "/photos/thumb");
    fs::create_directory_symlink(dir.path() + "/Documents/mynotes", dir.path() + "/photos/html");

    const std::string kept =
        "保持（このプログラムが作成していないファイル）: 2件（--force では"
        "上書きしません。端末で確認に答えると上書きします）\n  " +
        dir.path() + "/photos/thumb/IMG_0001.JPG\n  " + dir.path() + "/photos/html/notes.html\n";
    for (const char* force : {"", " --force", " --force"}) {
        CliResult run =
            RunCli(MIRULANE_CLI_PATH,
                   std::string("--profile none.ini album photos --thumbs") + force, dir.path());
        EXPECT_EQ(run.status, 0) << force << run.err;
        EXPECT_EQ(dir.Read("Pictures/mypics/IMG_0001.JPG"), userPhoto) << force;
        EXPECT_EQ(dir.Read("Documents/mynotes/notes.html"), userNotes) << force;
        EXPECT_NE(run.err.find(kept), std::string::npos) << force << run.err;
        EXPECT_EQ(run.err.find("（--force で上書きします）"), std::string::npos) << run.err;
        // What the program does own there it writes: the other entry's thumbnail and pages.
        EXPECT_EQ(dir.Read("Pictures/mypics/notes.jpg"), MakeThumbnailJpeg());
        EXPECT_TRUE(fs::exists(dir.path() + "/Documents/mynotes/IMG_0001.html"));
    }
}

}  // namespace
