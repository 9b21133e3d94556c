// Making an album again through mirulane-cli, as a user does after adding photos or editing a
// page: without --force the album is brought up to date, files that would not change are not
// written again, and a page edited by hand is kept and named.

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "fixtures/cli_runner.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "fixtures/picture_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace mirulane::fixtures;

class RerunE2E : public ::testing::Test {
  protected:
    RerunE2E() {
        for (const char* name : {"a.jpg", "b.jpg"}) dir.Write(std::string("photos/") + name, photo);
        // Detail pages with links to their neighbours and the page count.
        CliResult first = Cli("album photos --thumbs --detail-preset 11");
        EXPECT_EQ(first.status, 0) << first.err;
    }
    CliResult Cli(const std::string& args) const {
        return RunCli(MIRULANE_CLI_PATH, "--profile none.ini " + args, dir.path());
    }
    // The album's pages and thumbnails by name, with the identity of the file that holds them
    // (a file written again is a new file) and its contents.
    std::map<std::string, std::pair<ino_t, std::string>> Outputs() const {
        std::map<std::string, std::pair<ino_t, std::string>> out;
        for (const char* folder : {"photos", "photos/html", "photos/thumb"}) {
            for (const auto& e : fs::directory_iterator(dir.path() + "/" + folder)) {
                std::string name = std::string(folder) + "/" + e.path().filename().string();
                if (!e.is_regular_file() || name == "photos/a.jpg" || name == "photos/b.jpg" ||
                    name == "photos/c.jpg" || name == "photos/photos.txt" ||
                    e.path().filename() == ".mirulane-manifest") {
                    continue;
                }
                struct stat st {};
                stat(e.path().c_str(), &st);
                out[name] = {st.st_ino, dir.Read(name)};
            }
        }
        return out;
    }

    TempDir dir;
    const std::string photo = MakeCameraJpeg();
    const std::string photos = dir.path() + "/photos";
};

TEST_F(RerunE2E, APhotoAddedSinceIsListedWithoutForceAndNothingElseIsRewritten) {
    const auto before = Outputs();
    ASSERT_EQ(before.size(), 6u);  // index.html, list.html, two pages, two thumbnails

    // Nothing new: nothing is written, and the thumbnails that are there count as extracted.
    CliResult same = Cli("album photos --thumbs");
    ASSERT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(Outputs(), before);
    EXPECT_NE(same.err.find("エントリ 2件のうち、2件を抽出、0件を縮小作成しました\n"
                            "書き込み: 0件\n変更なし: 6件\n"
                            "保持（手で編集されたファイル）: 0件\n"
                            "保持（このプログラムが作成していないファイル）: 0件\n"),
              std::string::npos)
        << same.err;

    dir.Write("photos/c.jpg", photo);
    CliResult added = Cli("album photos --thumbs");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.err.find("--force"), std::string::npos) << added.err;
    EXPECT_NE(dir.Read("photos/html/list.html").find("href=\"c.html\""), std::string::npos);
    EXPECT_TRUE(fs::exists(photos + "/html/c.html"));
    EXPECT_EQ(dir.Read("photos/thumb/c.jpg"), MakeThumbnailJpeg());
    const auto after = Outputs();
    int rewritten = 0;
    for (const auto& [name, file] : before) {
        const auto& now = after.at(name);
        if (now.second == file.second) {
            EXPECT_EQ(now.first, file.first) << name << " was written again";
        } else {
            ++rewritten;
        }
    }
    EXPECT_NE(after.at("photos/html/list.html").second, before.at("photos/html/list.html").second);
    EXPECT_NE(after.at("photos/html/b.html").second, before.at("photos/html/b.html").second);
    // The new page and thumbnail, and the pages whose contents changed with them.
    EXPECT_NE(added.err.find("書き込み: " + std::to_string(rewritten + 2) +
                             "件\n変更なし: " + std::to_string(6 - rewritten) + "件\n"),
              std::string::npos)
        << added.err;
}

// The list page shows thumbnails (the album was made with --thumbs): a photo added since gets
// its thumbnail made although --thumbs is not given again, not an empty frame.
TEST_F(RerunE2E, APhotoAddedSinceGetsItsThumbnailWhenTheListShowsThumbnails) {
    dir.Write("photos/c.jpg", photo);
    dir.Write("photos/d.jpg", MakePicture(PictureFormat::Jpeg, 320, 240));  // no Exif thumbnail
    CliResult added = Cli("album photos");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(dir.Read("photos/thumb/c.jpg"), MakeThumbnailJpeg());
    auto made = DecodePicture(dir.Read("photos/thumb/d.jpg"));
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->jpeg);
    EXPECT_NE(dir.Read("photos/html/list.html").find("thumb/d.jpg"), std::string::npos);

    // A list page without thumbnails makes none.
    TempDir plain;
    plain.Write("photos/a.jpg", photo);
    CliResult textOnly = RunCli(MIRULANE_CLI_PATH, "--profile none.ini album photos", plain.path());
    ASSERT_EQ(textOnly.status, 0) << textOnly.err;
    EXPECT_FALSE(fs::exists(plain.path() + "/photos/thumb"));
}

// The album's list file and the top page the program wrote beside the photos are its own,
// not files the extension filter left out; a file of the user's still is one.
TEST_F(RerunE2E, TheAlbumsOwnFilesAreNotReportedAsLeftOut) {
    CliResult same = Cli("album photos");
    ASSERT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.err.find("フィルタで除外"), std::string::npos) << same.err;

    dir.Write("photos/notes.txt", "mine");
    CliResult refreshed = Cli("refresh photos/photos.txt");
    ASSERT_EQ(refreshed.status, 0) << refreshed.err;
    EXPECT_NE(refreshed.err.find("フィルタで除外: txt 1件\n"), std::string::npos) << refreshed.err;
}

TEST_F(RerunE2E, APageEditedByHandSurvivesARerunWithoutForce) {
    // b.html gets a link to the new photo's page: the program has new contents for it too.
    dir.Write("photos/html/b.html", "edited by hand");
    dir.Write("photos/c.jpg", photo);
    const std::string kept = "保持（手で編集されたファイル）: 1件（--force で上書きします）\n  " +
                             photos + "/html/b.html\n";
    for (int run = 0; run < 2; ++run) {
        CliResult again = Cli("album photos");
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(dir.Read("photos/html/b.html"), "edited by hand");
        EXPECT_NE(again.err.find(kept), std::string::npos) << again.err;
        EXPECT_NE(dir.Read("photos/html/list.html").find("href=\"c.html\""), std::string::npos);
    }

    // --force replaces the program's own page, edited or not.
    CliResult forced = Cli("generate photos/photos.txt --force");
    ASSERT_EQ(forced.status, 0) << forced.err;
    EXPECT_NE(dir.Read("photos/html/b.html"), "edited by hand");
    CliResult settled = Cli("generate photos/photos.txt");
    EXPECT_NE(settled.err.find("書き込み: 0件\n"), std::string::npos) << settled.err;

    // A page of the same name that the program did not write is kept, counted and named, by
    // --force too: the hint to use it is not given.
    dir.Write("photos/html/b.html", "edited by hand");
    fs::remove(photos + "/html/.mirulane-manifest");
    const std::string foreign =
        "保持（このプログラムが作成していないファイル）: 1件（--force では"
        "上書きしません。端末で確認に答えると上書きします）\n  " +
        photos + "/html/b.html\n";
    for (const char* force : {"", " --force"}) {
        CliResult unknown = Cli(std::string("generate photos/photos.txt") + force);
        ASSERT_EQ(unknown.status, 0) << unknown.err;
        EXPECT_EQ(dir.Read("photos/html/b.html"), "edited by hand");
        EXPECT_NE(unknown.err.find(foreign), std::string::npos) << unknown.err;
        EXPECT_EQ(unknown.err.find("（--force で上書きします）"), std::string::npos) << unknown.err;
    }
}

}  // namespace
