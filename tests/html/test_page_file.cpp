// Writing generated pages safely: the message that names the step that failed when the disk is
// full.

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
#include "fixtures/fault_injection.h"
#include "html/detail_page.h"
#include "html/list_page.h"
#include "html/page_names.h"
#include "html/top_page.h"
#include "support/page_album.h"

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
        std::vector<std::string> out{failed(a.TopStep(run.pages)),
                                     failed(a.Told(WriteListPageStep(a.album(), run, a.out))),
                                     failed(a.Told(WriteAllDetailPages(a.album(), run, a.out)))};
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

}  // namespace
}  // namespace mirulane
