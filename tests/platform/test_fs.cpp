// File access by Shift-JIS path, listings and the replace-by-rename write.

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixtures/fault_injection.h"
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
    EXPECT_EQ(listing.skippedNames, (std::vector<std::string>{"..¥x.jpg", "c\\d.jpg", "波〜.jpg",
                                                              "\xF0\x9F\x98\x80.jpg"}));
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
    WriteStage stage = WriteStage::None;
    int err = 0;
    {
        fixtures::FileSizeLimit limit(4);
        err = WriteFileReplacing(path, "new and longer contents", &stage);
    }

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

// The names of the files in a folder, hidden ones included.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileSystem, GeneratedFilesReplaceLinksAndNeverLandOnAKeptFile) {
    TempDir dir;
    dir.Write("photos/a.jpg", "photo a");
    dir.Write("photos/b.jpg", "photo b");
    std::filesystem::create_directory(dir.path() + "/thumbs");
    std::filesystem::create_symlink("../photos/a.jpg", dir.path() + "/thumbs/a.jpg");
    std::filesystem::create_hard_link(dir.path() + "/photos/b.jpg", dir.path() + "/thumbs/b.jpg");
    const std::string thumbs = *Utf8ToCp932(dir.path()) + "/thumbs/";
    FileIdSet pictures{*GetFileId(*Utf8ToCp932(dir.path()) + "/photos/a.jpg"),
                       *GetFileId(*Utf8ToCp932(dir.path()) + "/photos/b.jpg")};

    // The link itself is replaced; the photo it named stays as it was.
    WriteStage stage = WriteStage::Create;
    EXPECT_EQ(WriteGeneratedFile(thumbs + "a.jpg", "thumb a", &pictures, &stage), 0);
    EXPECT_EQ(stage, WriteStage::None);
    EXPECT_FALSE(std::filesystem::is_symlink(dir.path() + "/thumbs/a.jpg"));
    EXPECT_EQ(dir.Read("thumbs/a.jpg"), "thumb a");
    EXPECT_EQ(dir.Read("photos/a.jpg"), "photo a");

    // Another name of a photo is kept, and the refusal says so.
    EXPECT_EQ(WriteGeneratedFile(thumbs + "b.jpg", "thumb b", &pictures, &stage), EEXIST);
    EXPECT_EQ(stage, WriteStage::Refused);
    EXPECT_EQ(dir.Read("thumbs/b.jpg"), "photo b");
    EXPECT_EQ(dir.Read("photos/b.jpg"), "photo b");
    EXPECT_EQ(Names(dir.path() + "/thumbs"), (std::vector<std::string>{"a.jpg", "b.jpg"}));

    // The user's own files keep today's rule: a link is written through.
    std::filesystem::create_symlink("../photos/a.jpg", dir.path() + "/thumbs/list.txt");
    EXPECT_EQ(WriteFileReplacing(thumbs + "list.txt", "list"), 0);
    EXPECT_EQ(dir.Read("photos/a.jpg"), "list");
}

// Runs `write` in a child process that the file-size limit kills in the middle of writing
// (SIGXFSZ, whose default action ends the process), as a kill at the wrong moment would.
// Returns the child's process id, which is gone when this returns.
template <typename Write>
pid_t KilledWhileWriting(Write write) {
    pid_t pid = fork();
    if (pid == 0) {
        struct rlimit none {};
        setrlimit(RLIMIT_CORE, &none);
        struct rlimit small {};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);
        write();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    return pid;
}

// Pages that replace pages are put in place only after one flush for all of them: a kill
// before that leaves every old page whole, and temporary files only, which the next run
// removes. Put in place, they appear whole.
TEST(FileSystem, ABatchOfReplacementsKilledBeforeItsFlushLeavesEveryOldFile) {
    TempDir dir;
    const std::string folder = *Utf8ToCp932(dir.path());
    dir.Write("a.html", "old a");
    dir.Write("b.html", "old b");
    auto add = [&](GeneratedFileBatch& batch, const char* name, std::string_view bytes) {
        PathStatus found;
        EXPECT_EQ(GetPathStatus(folder + "/" + name, found), 0);
        WrittenFile written;
        EXPECT_EQ(batch.Add(folder + "/" + name, bytes, nullptr, found, nullptr, &written), 0);
        EXPECT_EQ(written.size, bytes.size());
    };
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        GeneratedFileBatch batch;
        add(batch, "a.html", "new a");
        add(batch, "b.html", "new b");
        raise(SIGKILL);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(dir.Read("a.html"), "old a");
    EXPECT_EQ(dir.Read("b.html"), "old b");
    EXPECT_EQ(Names(dir.path()).size(), 4u);
    EXPECT_EQ(RemoveStaleTempFiles(folder), 2);

    GeneratedFileBatch batch;
    add(batch, "a.html", "new a");
    add(batch, "b.html", "new b");
    EXPECT_EQ(dir.Read("a.html"), "old a");  // not before the flush
    std::vector<GeneratedFileBatch::Placed> placed = batch.Commit();
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].error + placed[1].error, 0);
    EXPECT_EQ(dir.Read("a.html"), "new a");
    EXPECT_EQ(dir.Read("b.html"), "new b");
    EXPECT_EQ(Names(dir.path()).size(), 2u);
}

TEST(FileSystem, AKilledWriteLeavesNoPartialFileAndItsTemporaryFileIsRemovedLater) {
    TempDir dir;
    const std::string folder = *Utf8ToCp932(dir.path());
    const std::string big(4096, 'x');
    pid_t gone = KilledWhileWriting([&] { WriteGeneratedFile(folder + "/new.html", big); });
    dir.Write("old.html", "complete old page");
    KilledWhileWriting([&] { WriteGeneratedFile(folder + "/old.html", big); });
    // Neither a partial new file nor a damaged old one; only the killed writers' temporary
    // files, named after them.
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/new.html"));
    EXPECT_EQ(dir.Read("old.html"), "complete old page");
    std::vector<std::string> names = Names(dir.path());
    ASSERT_EQ(names.size(), 3u);
    const std::string prefix = ".mrl-" + std::to_string(gone) + "-";
    EXPECT_EQ(std::count_if(names.begin(), names.end(),
                            [&](const std::string& n) { return n.rfind(prefix, 0) == 0; }),
              1);

    // Files that only look like leftovers stay: one of a writer still at work (this
    // process), one that is not a regular file, and names of another shape.
    const std::string live = ".mrl-" + std::to_string(getpid()) + "-Ab12Cd";
    dir.Write(live, "being written");
    std::filesystem::create_directory(dir.path() + "/.mrl-" + std::to_string(gone) + "-Folder");
    dir.Write(".mrl-" + std::to_string(gone) + "-toolong1", "x");
    dir.Write(".mrl-XXXXXX", "x");
    // A writer that was killed but that its parent has not collected yet.
    pid_t zombie = fork();
    ASSERT_GE(zombie, 0);
    if (zombie == 0) _exit(0);
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(zombie), &info, WEXITED | WNOWAIT), 0);
    dir.Write(".mrl-" + std::to_string(zombie) + "-Zz9Yy8", "left by a killed writer");

    EXPECT_EQ(RemoveStaleTempFiles(folder), 3);
    waitpid(zombie, nullptr, 0);
    EXPECT_EQ(Names(dir.path()),
              (std::vector<std::string>{live, ".mrl-" + std::to_string(gone) + "-Folder",
                                        ".mrl-" + std::to_string(gone) + "-toolong1", ".mrl-XXXXXX",
                                        "old.html"}));
    EXPECT_EQ(RemoveStaleTempFiles(folder + "/missing"), 0);
}

TEST(FileSystem, StaleTemporaryFilesOfAnotherUserStay) {
    if (geteuid() != 0) GTEST_SKIP() << "cannot give a file to another user here";
    TempDir dir;
    pid_t gone = fixtures::EndedProcessId();
    ASSERT_GT(gone, 0);
    std::string path = dir.Write(".mrl-" + std::to_string(gone) + "-Zz9Yy8", "someone else's");
    ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    const std::string folder = *Utf8ToCp932(dir.path());
    EXPECT_EQ(RemoveStaleTempFiles(folder), 0);
    EXPECT_TRUE(std::filesystem::exists(path));
    ASSERT_EQ(chown(path.c_str(), geteuid(), getegid()), 0);
    EXPECT_EQ(RemoveStaleTempFiles(folder), 1);
}

}  // namespace
}  // namespace mirulane
