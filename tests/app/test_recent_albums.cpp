// The recent albums: the latest first, each file once, eight at most; a file gone since is
// said so and leaves the list, one that cannot be read stays.

#include <gtest/gtest.h>

#include "album/album_file.h"
#include "app/recent_albums.h"
#include "app/settings_profile.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

using fixtures::TempDir;
using List = std::vector<std::string>;

TEST(RecentAlbums, TheLatestComesFirstOnceAndTheListKeepsEight) {
    List albums;
    for (int i = 1; i <= 10; ++i) {
        EXPECT_TRUE(RememberRecentAlbum(albums, "/a/" + std::to_string(i) + ".txt"));
    }
    EXPECT_EQ(albums, (List{"/a/10.txt", "/a/9.txt", "/a/8.txt", "/a/7.txt", "/a/6.txt", "/a/5.txt",
                            "/a/4.txt", "/a/3.txt"}));
    // Used again: moved to the head, not listed twice.
    EXPECT_TRUE(RememberRecentAlbum(albums, "/a/5.txt"));
    EXPECT_EQ(albums, (List{"/a/5.txt", "/a/10.txt", "/a/9.txt", "/a/8.txt", "/a/7.txt", "/a/6.txt",
                            "/a/4.txt", "/a/3.txt"}));
    EXPECT_FALSE(RememberRecentAlbum(albums, "/a/5.txt"));
    EXPECT_FALSE(RememberRecentAlbum(albums, ""));
    // Letter case tells two files apart here.
    EXPECT_TRUE(RememberRecentAlbum(albums, "/A/5.txt"));
    EXPECT_EQ(albums.size(), 8u);
    EXPECT_EQ(albums[1], "/a/5.txt");

    EXPECT_TRUE(ForgetRecentAlbum(albums, "/a/10.txt"));
    EXPECT_FALSE(ForgetRecentAlbum(albums, "/a/10.txt"));
    EXPECT_EQ(albums.size(), 7u);
}

TEST(RecentAlbums, AGoneFileIsSaidAndLeavesTheListAndAReadOneComesFirst) {
    TempDir dir;
    Album written;
    written.entries.Append("a.jpg");
    std::string kept = dir.path() + "/kept.txt";
    ASSERT_TRUE(WriteAlbumFile(written, kept).has_value());
    std::string gone = dir.path() + "/gone.txt";
    std::string folder = dir.path() + "/now a folder.txt";
    dir.Write("now a folder.txt/x.jpg", "");
    std::string unreadable = dir.Write("empty.txt", "");

    ScriptedInteraction ui;
    Session s(ui);
    s.settings.recentAlbums = {gone, kept, folder, unreadable};
    s.album.entries.Append("b.jpg");

    EXPECT_EQ(OpenRecentAlbum(s, gone), RecentOpen::Gone);
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"アルバムリストファイルが見つかりません。"
                                       "最近使ったアルバムの一覧から外しました\n" +
                                       gone});
    EXPECT_EQ(ToDisplay(ui.messages[0].caption), "オープンエラー");
    EXPECT_EQ(s.settings.recentAlbums, (List{kept, folder, unreadable}));
    EXPECT_EQ(s.album.entries.Count(), 1);  // the album in hand stays

    EXPECT_EQ(OpenRecentAlbum(s, folder), RecentOpen::Gone);
    EXPECT_EQ(s.settings.recentAlbums, (List{kept, unreadable}));

    ui.messages.clear();
    EXPECT_EQ(OpenRecentAlbum(s, unreadable), RecentOpen::NotOpened);
    EXPECT_EQ(ui.messages.size(), 1u);  // the reader says why
    EXPECT_EQ(s.settings.recentAlbums, (List{kept, unreadable}));

    EXPECT_EQ(OpenRecentAlbum(s, kept), RecentOpen::Opened);
    EXPECT_EQ(s.album.fileName, kept);
    EXPECT_EQ(s.album.entries.Field(0, 0), "a.jpg");
    EXPECT_EQ(s.settings.recentAlbums, (List{kept, unreadable}));
}

// The list reaches the profile as soon as it changes, and only the list: the options stay as
// the file holds them (another run may have written them since), and so does what the
// program does not know.
TEST(RecentAlbums, WritingTheListLeavesEveryOtherKeyOfTheFileAsItIs) {
    TempDir dir;
    std::string path = dir.path() + "/new folder/mirulane.ini";
    {
        SettingsProfile first(path);  // no file and no folder yet
        Settings s;
        s.recentAlbums = {"/a.txt"};
        EXPECT_EQ(first.SaveRecentAlbums(s), 0);
    }
    EXPECT_EQ(dir.Read("new folder/mirulane.ini"), "[RecentAlbums]\r\nAlbum1=\"/a.txt\"\r\n");

    dir.Write("new folder/mirulane.ini",
              "[Environment]\r\nEnvLstGrid=1\r\n[Mine]\r\nKey=kept\r\n"
              "[RecentAlbums]\r\nAlbum1=\"/a.txt\"\r\n");
    SettingsProfile profile(path);
    Settings s;
    profile.Load(s);
    s.EnvLstGrid = false;  // changed in this run, written at its end
    // Changed on disk by another run meanwhile.
    dir.Write("new folder/mirulane.ini",
              "[Environment]\r\nEnvLstGrid=1\r\nEnvSortUpLow=1\r\n[Mine]\r\nKey=kept\r\n"
              "[RecentAlbums]\r\nAlbum1=\"/a.txt\"\r\n");
    RememberRecentAlbum(s.recentAlbums, "/b.txt");
    EXPECT_EQ(profile.SaveRecentAlbums(s), 0);
    EXPECT_EQ(dir.Read("new folder/mirulane.ini"),
              "[Environment]\r\nEnvLstGrid=1\r\nEnvSortUpLow=1\r\n[Mine]\r\nKey=kept\r\n"
              "[RecentAlbums]\r\nAlbum1=\"/b.txt\"\r\nAlbum2=\"/a.txt\"\r\n");
}

}  // namespace
}  // namespace mirulane
