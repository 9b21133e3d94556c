// The folder scan: progress, capture of new entries only, failures.

#include <filesystem>

#include <gtest/gtest.h>

#include "album/settings.h"
#include "app/folder_scan.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "platform/output_manifest.h"
#include "platform/profile.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

using namespace fixtures;

std::vector<std::string> Names(const Album& a) {
    std::vector<std::string> out;
    for (int i = 0; i < a.entries.Count(); ++i) out.push_back(a.entries.Field(i, COL_FILE));
    return out;
}

TEST(FolderScan, FreshScanReportsProgressAndCapturesNewEntries) {
    TempDir dir;
    for (int i = 0; i < 70; ++i) dir.Write("p" + std::to_string(100 + i) + ".jpg", MakeJpeg(4, 4));
    dir.Write("cam.JPG", MakeCameraJpeg());
    dir.Write("skip.txt", "x");
    dir.Write("sub/inner.jpg", MakeJpeg(4, 4));
    Album album;
    album.groups = {"old"};
    Settings settings;
    ScriptedInteraction ui;

    EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Fresh, settings, ui), 71);
    EXPECT_EQ(album.entries.Count(), 71);
    EXPECT_EQ(album.entries.ColumnCount(), kColumnCount);
    EXPECT_TRUE(album.groups.empty());
    EXPECT_TRUE(album.modified);

    // Progress counts every file seen, the rejected text file included, then clears.
    std::vector<std::string> pane0;
    for (auto& [pane, text] : ui.status) {
        if (pane == StatusPane::Message) pane0.push_back(ToDisplay(text));
    }
    ASSERT_EQ(pane0.size(), 73u);
    EXPECT_EQ(pane0.front(), "読み込み中... 1");
    EXPECT_EQ(pane0[71], "読み込み中... 72");
    EXPECT_EQ(pane0.back(), "");

    int cam = album.entries.Find("cam.jpg");
    ASSERT_GE(cam, 0);
    EXPECT_EQ(album.entries.Field(cam, COL_TITLE), "cam");
    EXPECT_EQ(album.entries.Field(cam, COL_YOMI), "cam");
    EXPECT_EQ(album.entries.Field(cam, COL_KIND), "jpg");
    EXPECT_EQ(album.entries.Field(cam, COL_MAKER), "MIRU");
}

TEST(FolderScan, RefreshNeverRecapturesAndSeparatorsDoNotMatter) {
    TempDir dir;
    dir.Write("a.jpg", MakeCameraJpeg());
    Album album;
    Settings settings;
    ScriptedInteraction ui;
    ASSERT_EQ(ScanFolder(album, dir.path() + "/", ScanMode::Fresh, settings, ui), 1);
    album.entries.SetField(0, COL_MAKER, "edited");
    album.modified = false;
    dir.Write("b.jpg", MakeCameraJpeg());
    settings.EnvGetExif = 0;
    ASSERT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), 2);
    EXPECT_EQ(album.entries.Field(0, COL_MAKER), "edited");
    EXPECT_EQ(album.entries.Field(1, COL_MAKER), "");  // capture switched off
    EXPECT_TRUE(album.modified);                       // set even when nothing else changed

    // Without the filter a two-byte extension is kept as it is: the second byte of "ア" is
    // "A" and must not be lower-cased.
    dir.Write("写真.アイ", "x");
    settings.EnvUseFilter = 0;
    ASSERT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), 3);
    EXPECT_EQ(album.entries.Field(2, COL_KIND), Sj("アイ"));
    EXPECT_EQ(album.entries.Field(2, COL_TITLE), Sj("写真"));
    settings.EnvUseFilter = 1;

    // A fresh scan appends again without looking: the caller empties the list first.
    Album other;
    ASSERT_EQ(ScanFolder(other, dir.path() + "\\", ScanMode::Fresh, settings, ui), 2);
    EXPECT_EQ(Names(other), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

// The files gone from the folder leave the list in contiguous blocks, as a view over the list
// is told, and the scan's own bookkeeping never shows in the entries.
TEST(FolderScan, RefreshRemovesVanishedFilesBlockByBlock) {
    struct Removals : EntryListObserver {
        void RowsAboutToBeRemoved(int first, int last) override {
            ranges.emplace_back(first, last);
        }
        void FieldChanged(int, int) override { ++fieldChanges; }
        std::vector<std::pair<int, int>> ranges;
        int fieldChanges = 0;
    } removals;
    TempDir dir;
    for (int i = 0; i < 8; ++i) dir.Write("p" + std::to_string(i) + ".jpg", MakeJpeg(4, 4));
    Album album;
    Settings settings;
    settings.EnvGetExif = 0;
    ScriptedInteraction ui;
    ASSERT_EQ(ScanFolder(album, dir.path(), ScanMode::Fresh, settings, ui), 8);
    for (int i : {1, 2, 5, 7})
        std::filesystem::remove(dir.path() + "/p" + std::to_string(i) + ".jpg");
    album.entries.SetObserver(&removals);
    ASSERT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), 4);
    EXPECT_EQ(Names(album), (std::vector<std::string>{"p0.jpg", "p3.jpg", "p4.jpg", "p6.jpg"}));
    EXPECT_EQ(removals.ranges, (std::vector<std::pair<int, int>>{{7, 7}, {5, 5}, {1, 2}}));
    EXPECT_EQ(removals.fieldChanges, 0);  // matched entries are not touched
}

// The target folder is also where index.html goes by default, with the record of what was
// written there: without the extension filter it must still not become an entry.
TEST(FolderScan, TheRecordOfWrittenFilesIsNoEntry) {
    TempDir dir;
    dir.Write("a.jpg", MakeJpeg(4, 4));
    dir.Write(std::string(kManifestName), "mirulane-manifest 1\n");
    Album album;
    Settings settings;
    settings.EnvUseFilter = 0;
    ScriptedInteraction ui;
    EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Fresh, settings, ui), 1);
    EXPECT_EQ(Names(album), std::vector<std::string>{"a.jpg"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FolderScan, AFolderThatCannotBeListedChangesNothing) {
    TempDir dir;
    Album album;
    album.entries.Append("keep.jpg");
    Settings settings;
    ScriptedInteraction ui;
    std::string missing = dir.path() + "/gone";
    EXPECT_EQ(ScanFolder(album, missing, ScanMode::Refresh, settings, ui), -1);
    EXPECT_EQ(Names(album), (std::vector<std::string>{"keep.jpg"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ToDisplay(ui.messages[0].text),
              "指定したフォルダにはファイルが１件もありません\n" + missing + "/");
    EXPECT_FALSE(album.modified);

    // An empty folder, once the question is answered Yes, leaves an empty list and no
    // modified flag.
    ui.answers = {MsgAnswer::Yes};
    EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), 0);
    EXPECT_EQ(album.entries.Count(), 0);
    EXPECT_FALSE(album.modified);
}

TEST(FolderScan, RefreshAsksBeforeRemovingEveryEntry) {
    TempDir dir;
    dir.Write("a.jpg", MakeJpeg(4, 4));
    dir.Write("b.jpg", MakeJpeg(4, 4));
    Album album;
    Settings settings;
    ScriptedInteraction ui;
    ASSERT_EQ(ScanFolder(album, dir.path(), ScanMode::Fresh, settings, ui), 2);
    album.entries.SetField(1, COL_COMM1, "edited");
    album.modified = false;
    const std::vector<Entry> before = {album.entries.At(0), album.entries.At(1)};

    // The card is gone but its mount point is there: a folder with nothing to take. Only
    // files the filter rejects count as nothing too.
    std::filesystem::remove(dir.path() + "/a.jpg");
    std::filesystem::remove(dir.path() + "/b.jpg");
    dir.Write("notes.txt", "x");
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Ok, MsgAnswer::Cancel}) {
        ui.messages.clear();
        ui.answers = {MsgAnswer::Ok, answer};
        EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), -1);
        ASSERT_EQ(ui.messages.size(), 2u);
        // First what the filter left out, so the question is not a mystery.
        EXPECT_EQ(ToDisplay(ui.messages[0].text), "フィルタで除外: txt 1件");
        EXPECT_EQ(ToDisplay(ui.messages[1].text),
                  "指定したフォルダにはエントリにできるファイルが１件もありません\n" + dir.path() +
                      "/\n\nリストのエントリ 2 件をすべて削除しますか？\n\n"
                      "（削除しない場合は [いいえ] を選択してください）");
        EXPECT_EQ(ToDisplay(ui.messages[1].caption), "更新確認");
        EXPECT_EQ(ui.messages[1].buttons, MsgButtons::YesNo);
        ASSERT_EQ(album.entries.Count(), 2);
        EXPECT_EQ(album.entries.ColumnCount(), kColumnCount);
        for (int i = 0; i < 2; ++i) EXPECT_EQ(album.entries.At(i).fields, before[i].fields);
        EXPECT_FALSE(album.modified);
    }

    ui.answers = {MsgAnswer::Ok, MsgAnswer::Yes};
    EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), 0);
    EXPECT_EQ(album.entries.Count(), 0);
}

TEST(FolderScan, RefreshKeepsNamesThatDifferOnlyInCase) {
    TempDir dir;
    dir.Write("IMG_1.JPG", MakeJpeg(4, 4));
    dir.Write("img_1.jpg", MakeJpeg(4, 4));
    Album album;
    Settings settings;
    settings.EnvGetExif = 0;
    ScriptedInteraction ui;
    ASSERT_EQ(ScanFolder(album, dir.path(), ScanMode::Fresh, settings, ui), 2);
    for (int i = 0; i < 2; ++i) {
        album.entries.SetField(i, COL_TITLE, "title of " + album.entries.Field(i, COL_FILE));
    }
    // Entries of an album made where names ignore case: one matches a file only so, the
    // other matches no file at all; and a disk name whose folded twin is matched exactly.
    for (const char* name : {"WIN.JPG", "Gone.jpg", "BOTH.JPG"}) {
        int i = album.entries.Append(name);
        album.entries.SetField(i, COL_TITLE, std::string("title of ") + name);
    }
    dir.Write("win.jpg", MakeJpeg(4, 4));
    dir.Write("BOTH.JPG", MakeJpeg(4, 4));
    dir.Write("both.jpg", MakeJpeg(4, 4));

    ASSERT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), 5);
    EXPECT_EQ(Names(album), (std::vector<std::string>{"IMG_1.JPG", "img_1.jpg", "win.jpg",
                                                      "BOTH.JPG", "both.jpg"}));
    EXPECT_EQ(album.entries.Field(0, COL_TITLE), "title of IMG_1.JPG");
    EXPECT_EQ(album.entries.Field(1, COL_TITLE), "title of img_1.jpg");
    // Matched ignoring case: the edits stay, the name takes the spelling on disk.
    EXPECT_EQ(album.entries.Field(2, COL_TITLE), "title of WIN.JPG");
    EXPECT_EQ(album.entries.Field(3, COL_TITLE), "title of BOTH.JPG");
    EXPECT_EQ(album.entries.Field(4, COL_TITLE), "both");  // new, not BOTH.JPG's entry
    EXPECT_EQ(album.entries.Find("WIN.JPG"), 2);

    // Two entries for one file on disk: the first in list order takes it, once.
    Album twins;
    twins.entries.Append("A.JPG");
    twins.entries.Append("a.JPG");
    TempDir other;
    other.Write("a.jpg", MakeJpeg(4, 4));
    ASSERT_EQ(ScanFolder(twins, other.path(), ScanMode::Refresh, settings, ui), 1);
    EXPECT_EQ(Names(twins), (std::vector<std::string>{"a.jpg"}));
}

TEST(FolderScan, ReportsWhatTheFilterLeftOutByExtension) {
    TempDir dir;
    for (const char* name : {"a.jpg", "b.raw", "c.RAW", "notes.txt", "README", "d.png"})
        dir.Write(name, MakeJpeg(4, 4));
    Album album;
    Settings settings;
    settings.EnvGetExif = 0;
    ScriptedInteraction ui;
    EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Fresh, settings, ui), 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ToDisplay(ui.messages[0].text),
              "フィルタで除外: （拡張子なし） 1件, png 1件, raw 2件, txt 1件");
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);

    // A refresh says it again; without the filter nothing is left out and nothing is said.
    ui.messages.clear();
    EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), 1);
    EXPECT_EQ(ui.MessagesUtf8(),
              (std::vector<std::string>{
                  "フィルタで除外: （拡張子なし） 1件, png 1件, raw 2件, txt 1件"}));
    ui.messages.clear();
    settings.EnvUseFilter = 0;
    EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), 6);
    EXPECT_TRUE(ui.messages.empty());

    // A folder of many kinds names the first ten and sums up the rest.
    TempDir many;
    for (char c = 'a'; c <= 'l'; ++c) many.Write(std::string("f.") + c + c, "x");
    many.Write("g.ll", "x");
    settings.EnvUseFilter = 1;
    Album other;
    ui.messages.clear();
    EXPECT_EQ(ScanFolder(other, many.path(), ScanMode::Fresh, settings, ui), 0);
    EXPECT_EQ(ui.MessagesUtf8(),
              (std::vector<std::string>{"フィルタで除外: aa 1件, bb 1件, cc 1件, dd 1件, ee 1件, "
                                        "ff 1件, gg 1件, hh 1件, ii 1件, jj 1件, ほか 3件"}));
}

// Phones and today's cameras write .jpeg photos and .mp4 clips: the filter takes them unless
// told otherwise, and a filter stored before their rows existed still means what it said.
TEST(FolderScan, TodaysPhotosAndClipsAreTakenByDefault) {
    TempDir dir;
    dir.Write("photo.jpeg", MakeJpeg(4, 4));
    dir.Write("clip.mp4", MakeMp4(1920, 1080));
    dir.Write("old.jpg", MakeJpeg(4, 4));
    dir.Write("scan.png", MakePng(4, 4));
    Settings settings;
    settings.EnvGetExif = 0;
    ScriptedInteraction ui;
    Album album;
    ASSERT_EQ(ScanFolder(album, dir.path(), ScanMode::Fresh, settings, ui), 3);
    EXPECT_EQ(Names(album), (std::vector<std::string>{"clip.mp4", "old.jpg", "photo.jpeg"}));
    EXPECT_EQ(album.entries.Icon(0), KindIcon::Video);
    EXPECT_EQ(album.entries.Icon(2), KindIcon::Image);
    EXPECT_EQ(ui.MessagesUtf8(), (std::vector<std::string>{"フィルタで除外: png 1件"}));

    // Nine flags as stored before: jpg off, png on.
    IniProfile profile("");
    profile.Parse("[Environment]\nEnvFilterCheck=011110000\n");
    Settings stored;
    stored.Load(profile);
    stored.EnvGetExif = 0;
    ui.messages.clear();
    Album again;
    ASSERT_EQ(ScanFolder(again, dir.path(), ScanMode::Fresh, stored, ui), 3);
    EXPECT_EQ(Names(again), (std::vector<std::string>{"clip.mp4", "photo.jpeg", "scan.png"}));
    EXPECT_EQ(ui.MessagesUtf8(), (std::vector<std::string>{"フィルタで除外: jpg 1件"}));
}

TEST(FolderScan, SkipsNamesWithLineBreaksOrTabs) {
    TempDir dir;
    for (const char* name : {"new\nline.jpg", "tab\there.jpg", "cr\rname.jpg", "ok.jpg"})
        dir.Write(name, MakeJpeg(4, 4));
    dir.Write("\xF0\x9F\x98\x80.jpg", MakeJpeg(4, 4));  // cannot be named in Shift-JIS
    Album album;
    Settings settings;
    ScriptedInteraction ui;
    EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Fresh, settings, ui), 1);
    EXPECT_EQ(Names(album), (std::vector<std::string>{"ok.jpg"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    // Each file is named, with what the message cannot hold written out.
    EXPECT_EQ(ToDisplay(ui.messages[0].text),
              "次のファイル 4 件はエントリにできないため読み込みませんでした\n"
              "  cr\\rname.jpg\n  new\\nline.jpg\n  tab\\there.jpg\n  <U+1F600>.jpg\n"
              "（Shift-JIS で表せない文字を含む名前: 1 件、「\\」を含む名前: 0 件、"
              "改行やタブを含む名前: 3 件）");
}

}  // namespace
}  // namespace mirulane
