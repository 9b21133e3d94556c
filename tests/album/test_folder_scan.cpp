// The folder scan: progress, message pumping, capture of new entries only, failures.

#include <gtest/gtest.h>

#include "album/folder_scan.h"
#include "app/settings.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "platform/scripted_interaction.h"

namespace mirulane {
namespace {

using namespace fixtures;

std::vector<std::string> Names(const Album& a) {
    std::vector<std::string> out;
    for (int i = 0; i < a.entries.Count(); ++i) out.push_back(a.entries.Field(i, COL_FILE));
    return out;
}

TEST(FolderScan, FreshScanReportsProgressPumpsAndCapturesNewEntries) {
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
    EXPECT_EQ(ui.pumps, 2);  // one per 32 accepted files

    // Progress counts every file seen, the rejected text file included, then clears.
    std::vector<std::string> pane0;
    for (auto& [pane, text] : ui.status) {
        if (pane == 0) pane0.push_back(ToDisplay(text));
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
    EXPECT_EQ(album.entries.Field(cam, kMarkColumn), "");
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

    // An empty folder leaves an empty list and no modified flag.
    EXPECT_EQ(ScanFolder(album, dir.path(), ScanMode::Refresh, settings, ui), 0);
    EXPECT_EQ(album.entries.Count(), 0);
    EXPECT_FALSE(album.modified);
}

}  // namespace
}  // namespace mirulane
