// The generation run refuses an album that names no folder to write into, rather than writing
// its pages into whatever folder the program runs in.

#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "app/generation_run.h"
#include "session_album.h"

namespace mirulane {
namespace {

using PageAlbum = testing::SessionAlbum;

// Runs the test body with another working directory, restored afterwards.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const std::string& path) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() { std::filesystem::current_path(old_); }

  private:
    std::filesystem::path old_;
};

TEST(GenerationRun, RefusesAnAlbumWithoutTargetOrPageFolders) {
    fixtures::TempDir cwd;
    WorkingDirectory in(cwd.path());
    struct Case {
        void (*clear)(PageStyle&);
        const char* message;
    };
    const Case cases[] = {
        {[](PageStyle& s) { s = PageStyle(); },
         "ターゲットフォルダが設定されていないため、HTMLページを作成できません"},
        {[](PageStyle& s) { s.TargetFolder.clear(); },
         "ターゲットフォルダが設定されていないため、HTMLページを作成できません"},
        {[](PageStyle& s) { s.TopFolder.clear(); },
         "ページの出力先フォルダが設定されていないため、HTMLページを作成できません"},
        {[](PageStyle& s) { s.ListFolder.clear(); },
         "ページの出力先フォルダが設定されていないため、HTMLページを作成できません"},
        {[](PageStyle& s) { s.DetailFolder.clear(); },
         "ページの出力先フォルダが設定されていないため、HTMLページを作成できません"},
    };
    for (const Case& c : cases) {
        PageAlbum a;
        a.Put("P1.JPG", fixtures::MakeJpeg(40, 30));
        a.Add("P1.JPG", "one");
        c.clear(a.style());
        EXPECT_EQ(GenerationResult::TopPageFailed, GenerationRun(a.session)) << c.message;
        ASSERT_EQ(a.ui.messages.size(), 1u);
        EXPECT_EQ(ToDisplay(a.ui.messages[0].text), c.message);
        EXPECT_TRUE(a.ui.overwriteAsked.empty());
        EXPECT_TRUE(std::filesystem::is_empty(cwd.path())) << c.message;
        EXPECT_FALSE(a.Exists("index.html"));
    }
}

}  // namespace
}  // namespace mirulane
