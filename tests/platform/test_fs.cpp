// File access by Shift-JIS path, listings and the replace-by-rename write.

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace mirulane {
namespace {

using fixtures::TempDir;

TEST(FileSystem, ShiftJisPathsReachUtf8NamesAndBackslashesSeparate) {
    TempDir dir;
    dir.Write("表示/写真.jpg", "data");
    std::string folder = *Utf8ToCp932(dir.path());
    std::string out;
    ASSERT_EQ(ReadFileBytes(folder + Sj("\\表示\\写真.jpg"), out), 0);
    EXPECT_EQ(out, "data");
    EXPECT_TRUE(IsDirectory(folder + Sj("/表示")));
    EXPECT_FALSE(FileExists(folder + "/missing"));
    EXPECT_EQ(ReadFileBytes(folder + "/missing", out), ENOENT);
    EXPECT_EQ(ReadFileBytes(folder + Sj("/表示"), out), EISDIR);
    // A NUL byte inside a path must not cut it short into the name of another file.
    std::string withNul = folder + Sj("/表示/写真.jpg") + std::string("\0.txt", 5);
    EXPECT_EQ(ReadFileBytes(withNul, out), EILSEQ);
    EXPECT_EQ(WriteFileReplacing(withNul, "new"), EILSEQ);
    ASSERT_EQ(ReadFileBytes(folder + Sj("/表示/写真.jpg"), out), 0);
    EXPECT_EQ(out, "data");

    FileStatus st;
    ASSERT_EQ(GetFileStatus(folder + Sj("/表示/写真.jpg"), st), 0);
    EXPECT_EQ(st.size, 4u);
    EXPECT_FALSE(st.isDirectory);
    EXPECT_GT(st.creationTime, 0);
    EXPECT_LE(st.creationTime, st.modificationTime + 1);
}

TEST(FileSystem, ListsInStableOrderAndCountsNamesItCannotUse) {
    TempDir dir;
    // "..¥x.jpg" would become "..\x.jpg" in Shift-JIS, a name outside the folder; "〜" would
    // come back as "～", another file.
    for (const char* name : {"b.jpg", "A.jpg", "a.JPG", "c\\d.jpg", "\xF0\x9F\x98\x80.jpg",
                             "写真.jpg", "..¥x.jpg", "波〜.jpg"})
        dir.Write(name, "x");
    std::filesystem::create_directory(dir.path() + "/sub");
    std::filesystem::create_directory(dir.path() + "/\xF0\x9F\x98\x80 folder");
    DirListing listing;
    ASSERT_EQ(ListDirectory(*Utf8ToCp932(dir.path()), listing), 0);
    std::vector<std::string> names;
    for (auto& item : listing.items)
        names.push_back(ToDisplay(item.name) + (item.isDirectory ? "/" : ""));
    EXPECT_EQ(names, (std::vector<std::string>{"A.jpg", "a.JPG", "b.jpg", "sub/", "写真.jpg"}));
    EXPECT_EQ(listing.skippedBackslash, 2);
    EXPECT_EQ(listing.skippedUnrepresentable, 2);
    EXPECT_EQ(ListDirectory(*Utf8ToCp932(dir.path()) + "/nope", listing), ENOENT);
}

TEST(FileSystem, ANamedPipeWithoutWriterReadsAsEmptyInsteadOfBlocking) {
    TempDir dir;
    std::string fifo = dir.path() + "/pipe.jpg";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
    // In a child with an alarm, so a regression fails the test instead of hanging it.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        alarm(5);
        std::string out = "x";
        int err = ReadFileBytes(*Utf8ToCp932(fifo), out, 64);
        _exit(err == 0 && out.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(FileSystem, MakeDirectoryAcceptsAnExistingFolderButNotAFile) {
    TempDir dir;
    std::string folder = *Utf8ToCp932(dir.path());
    EXPECT_EQ(MakeDirectory(folder + "/new"), 0);
    EXPECT_EQ(MakeDirectory(folder + "/new"), 0);
    dir.Write("file", "x");
    EXPECT_EQ(MakeDirectory(folder + "/file"), EEXIST);
}

TEST(FileSystem, ReplacingWriteLeavesThePreviousFileWhenAWriteFails) {
    TempDir dir;
    std::string path = *Utf8ToCp932(dir.path()) + "/album.txt";
    ASSERT_EQ(WriteFileReplacing(path, "old contents"), 0);
    EXPECT_EQ(dir.Read("album.txt"), "old contents");

    // Simulate a full disk: the file-size limit makes write() fail with EFBIG.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
    WriteStage stage = WriteStage::None;
    int err = WriteFileReplacing(path, "new and longer contents", &stage);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(err, EFBIG);
    EXPECT_EQ(stage, WriteStage::Write);
    EXPECT_EQ(dir.Read("album.txt"), "old contents");
    // No temporary file is left behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1);

    EXPECT_EQ(WriteFileReplacing(*Utf8ToCp932(dir.path()) + "/no/such/folder/x.txt", "x", &stage),
              ENOENT);
    EXPECT_EQ(stage, WriteStage::Create);
}

TEST(FileSystem, ReplacingWriteGoesThroughASymbolicLink) {
    TempDir dir;
    dir.Write("real/album.txt", "old");
    std::filesystem::create_symlink("real/album.txt", dir.path() + "/link.txt");
    ASSERT_EQ(WriteFileReplacing(*Utf8ToCp932(dir.path()) + "/link.txt", "new"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() + "/link.txt"));
    EXPECT_EQ(dir.Read("real/album.txt"), "new");
}

TEST(FileSystem, ReplacingWriteRefusesAFileWithoutWritePermission) {
    TempDir dir;
    std::string path = dir.Write("locked.txt", "old");
    chmod(path.c_str(), 0444);
    chmod(dir.path().c_str(), 0777);  // the folder itself stays writable
    // Root may write any file, so the check runs as an ordinary user in a child process.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        WriteStage stage = WriteStage::None;
        int err = WriteFileReplacing(*Utf8ToCp932(path), "new", &stage);
        _exit(err == EACCES && stage == WriteStage::Create ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(dir.Read("locked.txt"), "old");
}

}  // namespace
}  // namespace mirulane
