// The movies of an album as its pages play them: a clip browsers cannot play gets one H.264
// copy, kept while the clip is unchanged and taken away with its entry; a clip they play is
// linked as it is; a user's file where a copy would go is never replaced unasked; a damaged
// clip is named; and a movie's poster is its thumbnail.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "app/generation_run.h"
#include "app/thumbnail_run.h"
#include "fixtures/movie_builder.h"
#include "platform/cp932.h"
#include "session_album.h"

namespace mirulane {
namespace {

using fixtures::ClipKind;

struct MovieAlbum : testing::SessionAlbum {
    MovieAlbum() {
        Clip("MVI_0001.AVI", {ClipKind::MjpegAvi, 320, 240, 10, 1.5});
        Clip("phone.mp4", {ClipKind::H264Mp4, 320, 180, 10, 1.5});
        Add("MVI_0001.AVI");
        Add("phone.mp4");
    }
    void Clip(const std::string& name, const fixtures::ClipRecipe& recipe) {
        ASSERT_TRUE(fixtures::WriteClip(Path(name), recipe));
    }
    struct stat Stat(const std::string& name) const {
        struct stat st {};
        stat(Path(name).c_str(), &st);
        return st;
    }
};

TEST(MovieCopies, OnlyAClipBrowsersCannotPlayGetsACopyMadeOnceAndTakenAwayWithItsEntry) {
    MovieAlbum a;
    ThumbnailRunRequest thumbs{a.target, a.style().ThumbFolder, false, true};
    ThumbnailRunResult t = RunThumbnailExtraction(a.session, thumbs);
    EXPECT_EQ(t.made, 2);
    EXPECT_TRUE(t.pictureFailures.empty());
    EXPECT_TRUE(a.Exists("thumb/MVI_0001.AVI.jpg"));
    EXPECT_TRUE(a.Exists("thumb/phone.mp4.jpg"));
    EXPECT_FALSE(a.Exists("thumb/MVI_0001.AVI"));  // never a JPEG under a movie's name
    a.ui.messages.clear();

    ASSERT_EQ(GenerationRun(a.session), GenerationResult::Done);
    EXPECT_TRUE(a.ui.messages.empty());
    EXPECT_TRUE(a.Exists("movie/MVI_0001.AVI.mp4"));
    EXPECT_FALSE(a.Exists("movie/phone.mp4.mp4"));
    const std::string avi = a.Get("html/MVI_0001.html");
    EXPECT_NE(avi.find("<video controls preload=\"metadata\" poster=\"../thumb/MVI_0001.AVI.jpg\" "
                       "width=\"400\" height=\"300\"><source src=\"../movie/MVI_0001.AVI.mp4\" "
                       "type=\"video/mp4\"></video><br><a href=\"../MVI_0001.AVI\">"),
              std::string::npos)
        << avi;
    // The preset's link around the picture does not wrap the player.
    EXPECT_EQ(avi.find("<a href=\"../MVI_0001.AVI\" target=\"_TOP\"><video"), std::string::npos);
    EXPECT_NE(a.Get("html/phone.html").find("<source src=\"../phone.mp4\" type=\"video/mp4\">"),
              std::string::npos);

    // Made once: a run over the unchanged clip leaves the copy as it is.
    const struct stat made = a.Stat("movie/MVI_0001.AVI.mp4");
    ASSERT_EQ(GenerationRun(a.session), GenerationResult::Done);
    EXPECT_EQ(a.Stat("movie/MVI_0001.AVI.mp4").st_mtim.tv_nsec, made.st_mtim.tv_nsec);
    EXPECT_EQ(a.Stat("movie/MVI_0001.AVI.mp4").st_ino, made.st_ino);
    // A changed clip is copied anew.
    a.Clip("MVI_0001.AVI", {ClipKind::MjpegAvi, 320, 180, 10, 1.0});
    ASSERT_EQ(GenerationRun(a.session), GenerationResult::Done);
    EXPECT_NE(a.Stat("movie/MVI_0001.AVI.mp4").st_ino, made.st_ino);
    EXPECT_NE(a.Get("html/MVI_0001.html").find("width=\"400\" height=\"225\""), std::string::npos);

    // Out of the album, out of the movie folder.
    a.session.album.entries.Delete(0);
    ASSERT_EQ(GenerationRun(a.session), GenerationResult::Done);
    EXPECT_FALSE(a.Exists("movie/MVI_0001.AVI.mp4"));
}

TEST(MovieCopies, AUsersFileIsKeptADamagedClipIsNamedAndACancelLeavesNothingHalfMade) {
    MovieAlbum a;
    a.Put("movie/MVI_0001.AVI.mp4", "the user's own");
    a.Put("broken.avi", std::string("RIFF\x10\0\0\0AVI LIST", 16) + std::string(64, '\x7f'));
    a.Add("broken.avi");
    ASSERT_EQ(GenerationRun(a.session), GenerationResult::Done);
    ASSERT_EQ(a.ui.overwriteAsked.size(), 1u);
    EXPECT_EQ(a.Get("movie/MVI_0001.AVI.mp4"), "the user's own");
    ASSERT_EQ(a.ui.messages.size(), 1u);
    EXPECT_EQ(a.ui.messages[0].text,
              Sj("次の 1件の動画は再生用コピーを作成できませんでした（ページは元のファイルを再生し"
                 "ます）:\nbroken.avi: 動画が壊れています"));
    // Without a copy the page plays the file itself.
    EXPECT_NE(a.Get("html/broken.html").find("<source src=\"../broken.avi\""), std::string::npos);

    // Cancelled as the copy is to be made (after both clips were probed), and while they are
    // probed.
    MovieAlbum b;
    b.ui.cancelWhen = [](int, int total) { return total == 1; };
    b.ui.defaultOverwrite = OverwriteAnswer::Yes;
    EXPECT_EQ(GenerationRun(b.session), GenerationResult::MovieCopiesCancelled);
    EXPECT_FALSE(b.Exists("index.html"));
    for (const auto& file : std::filesystem::directory_iterator(b.Path("movie"))) {
        EXPECT_EQ(file.path().filename().string().rfind(".mrl-", 0), std::string::npos)
            << file.path();
        EXPECT_NE(file.path().extension(), ".mp4") << file.path();
    }
    MovieAlbum c;
    c.ui.cancelAtDone = 1;
    EXPECT_EQ(GenerationRun(c.session), GenerationResult::MovieCopiesCancelled);
    EXPECT_EQ(c.ui.progress.back(), std::make_pair(1, 2));
    EXPECT_FALSE(c.Exists("index.html"));
}

}  // namespace
}  // namespace mirulane
