// The generation run writing its pages safely: links and pictures in the place of a page, and
// what a killed run left behind.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/generation_run.h"
#include "fixtures/fault_injection.h"
#include "session_album.h"

namespace mirulane {
namespace {

namespace fs = std::filesystem;
using fixtures::MakeJpeg;
using PageAlbum = testing::SessionAlbum;

TEST(GenerationRunPages, PagesReplaceLinksButNeverTakeThePlaceOfAPicture) {
    PageAlbum a;
    const std::string photo = MakeJpeg(640, 480);
    a.Put("A.JPG", photo);
    a.Put("B.JPG", photo);
    a.Add("A.JPG");
    a.Add("B.JPG");
    fs::create_directory(a.Path("html"));
    fs::create_symlink("../A.JPG", a.Path("html/A.html"));
    fs::create_hard_link(a.Path("B.JPG"), a.Path("html/B.html"));
    a.session.settings.EnvForceOverWrite = 1;
    // A link is never the program's own: overwrite-all does not replace it, the user's answer
    // about it does. The other name of a picture is not even asked about.
    a.ui.overwriteAnswers = {OverwriteAnswer::Yes};

    EXPECT_EQ(GenerationResult::DetailPagesFailed, GenerationRun(a.session));
    EXPECT_EQ(a.ui.overwriteAsked, std::vector<std::string>{a.Path("html/A.html")});
    EXPECT_EQ(photo, a.Get("A.JPG"));
    EXPECT_EQ(photo, a.Get("B.JPG"));
    EXPECT_FALSE(fs::is_symlink(a.Path("html/A.html")));
    EXPECT_NE(std::string::npos, a.Get("html/A.html").find("A.JPG"));
    // The other name of the picture stays, and the refusal is the only message.
    EXPECT_EQ(2u, fs::hard_link_count(a.Path("B.JPG")));
    EXPECT_EQ(std::vector<std::string>{"出力ファイル(" + a.Path("html/B.html") +
                                       ")はターゲット画像と同じファイルなので書き込みません"},
              a.ui.MessagesUtf8());
}

TEST(GenerationRunPages, TheRunRemovesWhatAKilledRunLeftInItsFolders) {
    PageAlbum a;
    a.Add("A.JPG");
    pid_t gone = fixtures::EndedProcessId();  // stands for a killed run
    ASSERT_GT(gone, 0);
    const std::string stale = ".mrl-" + std::to_string(gone) + "-aB3dE5";
    const std::string live = ".mrl-" + std::to_string(getpid()) + "-aB3dE5";
    for (const char* folder : {"", "html/"}) {
        a.Put(folder + stale, "left by a killed run");
        a.Put(folder + live, "being written by a run at work");
    }
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_FALSE(fs::exists(a.Path(stale)));
    EXPECT_FALSE(fs::exists(a.Path("html/" + stale)));
    EXPECT_TRUE(fs::exists(a.Path(live)));
    EXPECT_TRUE(fs::exists(a.Path("html/" + live)));
}

}  // namespace
}  // namespace mirulane
