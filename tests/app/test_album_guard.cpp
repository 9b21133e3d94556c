// What keeps an album list file from losing an edit: the question before a save replaces a
// file someone changed on disk, and the lock a run holds on the file.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "album/album_file.h"
#include "app/album_commands.h"
#include "app/album_guard.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

using fixtures::TempDir;

// An edit saved into the album list file while the album was open was lost without a word
// at the album's next save. The save now asks: はい replaces, いいえ asks for another name,
// キャンセル saves nothing; a file gone since is simply written.
TEST(AlbumGuard, ASaveAsksBeforeReplacingAnEditMadeOnDisk) {
    TempDir dir;
    ScriptedInteraction ui;
    Session s(ui);
    const std::string path = dir.path() + "/trip.txt";
    s.album.style.TargetFolder = dir.path();
    s.album.entries.Append("a.jpg");
    ASSERT_EQ(SaveAlbumAs(s, path), SaveResult::Saved);
    Session other(ui);
    ASSERT_EQ(OpenAlbumFile(other, path), 1);
    other.album.style.TopTitle = "edited elsewhere";
    ASSERT_EQ(SaveAlbum(other), SaveResult::Saved);
    const std::string edited = dir.Read("trip.txt");

    s.album.entries.Append("b.jpg");
    s.album.modified = true;
    ui.answers = {MsgAnswer::Cancel, MsgAnswer::No};
    EXPECT_EQ(SaveAlbum(s), SaveResult::NotSaved);
    EXPECT_EQ(SaveAlbum(s), SaveResult::NeedsName);
    EXPECT_EQ(dir.Read("trip.txt"), edited);
    EXPECT_TRUE(s.album.modified);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ToDisplay(ui.messages[0].text),
              path +
                  "\nは、開いた後か前回保存した後に、ほかのプログラムで変更されています。\n"
                  "上書きすると、その変更は失われます。上書き保存しますか？\n\n"
                  "（名前を付けて保存する場合は [いいえ] を選択してください）");
    EXPECT_EQ(ToDisplay(ui.messages[0].caption), "保存確認");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNoCancel);

    // Save As onto the same file asks too; the save prompt's Yes leads to the same question.
    ui.answers = {MsgAnswer::Cancel, MsgAnswer::Yes, MsgAnswer::Cancel};
    EXPECT_EQ(SaveAlbumAs(s, path), SaveResult::NotSaved);
    EXPECT_EQ(SavePrompt(s), SaveResult::NotSaved);
    EXPECT_EQ(ui.messages.size(), 5u);
    EXPECT_EQ(dir.Read("trip.txt"), edited);

    ui.answers = {MsgAnswer::Yes};
    EXPECT_EQ(SaveAlbum(s), SaveResult::Saved);
    EXPECT_NE(dir.Read("trip.txt").find("b.jpg"), std::string::npos);
    EXPECT_FALSE(s.album.modified);
    // What it wrote is its own: the next save asks nothing.
    s.album.modified = true;
    EXPECT_EQ(SaveAlbum(s), SaveResult::Saved);
    EXPECT_EQ(ui.messages.size(), 6u);

    // The same bytes written again by someone else lose nothing; a file gone is written.
    ASSERT_EQ(WriteAlbumFile(other.album = s.album, path).value_or(-1), 2);
    EXPECT_EQ(SaveAlbum(s), SaveResult::Saved);
    std::filesystem::remove(path);
    EXPECT_EQ(SaveAlbum(s), SaveResult::Saved);
    EXPECT_EQ(ui.messages.size(), 6u);
    EXPECT_NE(dir.Read("trip.txt").find("b.jpg"), std::string::npos);
}

// Two runs on one album: the second read the file before the first saved and later replaced
// what the first saved. The lock keeps the second out while the first holds it, and goes
// with its holder, however that ends.
TEST(AlbumGuard, TheLockHoldsOutASecondRunUntilItsHolderEndsEvenWhenKilled) {
    TempDir dir;
    const std::string path = dir.path() + "/trip.txt";
    const std::string lockFile = dir.path() + "/.trip.txt.lock";
    EXPECT_EQ(AlbumLockPath(path), lockFile);
    {
        AlbumLock first(path);
        ASSERT_EQ(first.status(), AlbumLock::Status::Held);
        EXPECT_EQ(AlbumLock(path).status(), AlbumLock::Status::Busy);
        // Another name of the same file meets the same lock.
        dir.Write("trip.txt", "");
        std::filesystem::create_symlink(path, dir.path() + "/link.txt");
        EXPECT_EQ(AlbumLock(dir.path() + "/link.txt").status(), AlbumLock::Status::Busy);
        EXPECT_EQ(AlbumLock(dir.path() + "/other.txt").status(), AlbumLock::Status::Held);
    }
    EXPECT_FALSE(std::filesystem::exists(lockFile));
    EXPECT_EQ(AlbumLock(path).status(), AlbumLock::Status::Held);

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AlbumLock held(path);
        char c = held.status() == AlbumLock::Status::Held ? 'y' : 'n';
        if (write(ready[1], &c, 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    EXPECT_EQ(c, 'y');
    EXPECT_EQ(AlbumLock(path).status(), AlbumLock::Status::Busy);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
    // The killed run left its lock file; the lock itself went with it.
    EXPECT_TRUE(std::filesystem::exists(lockFile));
    EXPECT_EQ(AlbumLock(path).status(), AlbumLock::Status::Held);
    EXPECT_FALSE(std::filesystem::exists(lockFile));
}

}  // namespace
}  // namespace mirulane
