// Writing generated pages safely: the message that names the step that failed, links and
// pictures in the place of a page, and what a killed run left behind.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "album/media.h"
#include "app/generation_run.h"
#include "fixtures/fault_injection.h"
#include "fixtures/page_album.h"
#include "html/detail_page.h"
#include "html/list_page.h"
#include "html/page_names.h"
#include "html/top_page.h"

namespace mirulane {
namespace {

namespace fs = std::filesystem;
using fixtures::MakeJpeg;
using testing::PageAlbum;

// Runs `work` in a child process in which creating a file fails with ENOSPC, and returns the
// lines it produced; nullopt when the system does not allow the failure to be arranged.
std::optional<std::vector<std::string>> WithFullDiskAtCreate(
    const std::function<std::vector<std::string>()>& work) {
    int fds[2];
    if (pipe(fds) != 0) return std::nullopt;
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (!fixtures::FailFileCreation(ENOSPC)) _exit(3);
        std::string out;
        for (const std::string& line : work()) out += line + '\n';
        for (size_t done = 0; done < out.size();) {
            ssize_t n = write(fds[1], out.data() + done, out.size() - done);
            if (n <= 0) _exit(1);
            done += static_cast<size_t>(n);
        }
        _exit(0);
    }
    close(fds[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) text.append(buf, n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 3) return std::nullopt;
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

TEST(PageFile, APageThatCannotBeCreatedOnAFullDiskIsReportedAsNotOpened) {
    PageAlbum a;
    a.Add("A.JPG");
    fs::create_directory(a.Path("html"));
    auto lines = WithFullDiskAtCreate([&] {
        PageRun run(a.session.album);
        auto failed = [](StepResult r) {
            return r == StepResult::Failed ? "failed" : "not failed";
        };
        std::vector<std::string> out{failed(WriteTopPageStep(a.album(), run.pages, a.out)),
                                     failed(WriteListPageStep(a.album(), run, a.out)),
                                     failed(WriteAllDetailPages(a.album(), run, a.out))};
        for (const std::string& m : a.ui.MessagesUtf8()) out.push_back(m);
        return out;
    });
    if (!lines) GTEST_SKIP() << "file creation cannot be made to fail here";
    // Each step gives the message and the status of a file it could not open, with the path.
    EXPECT_EQ(*lines, (std::vector<std::string>{
                          "failed", "failed", "failed", "トップページを開けません (errno=28)",
                          a.Path("index.html"), "一覧ページを開けません (errno=28)",
                          a.Path("html/list.html"), "出力HTMLファイルを開けません(errno=28)",
                          a.Path("html/A.html")}));
    EXPECT_TRUE(fs::is_empty(a.Path("html")));
}

TEST(PageFile, PagesReplaceLinksButNeverTakeThePlaceOfAPicture) {
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

TEST(PageFile, TheRunRemovesWhatAKilledRunLeftInItsFolders) {
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
