// The album commands: target folder choice, sorting by column, the save prompt, open and
// save, status texts and the window title.

#include <gtest/gtest.h>

#include "album/album_file.h"
#include "app/album_commands.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

using fixtures::TempDir;

std::vector<std::string> Column(const Album& a, int c) {
    std::vector<std::string> out;
    for (int i = 0; i < a.entries.Count(); ++i) out.push_back(a.entries.Field(i, c));
    return out;
}

std::string LastStatus(const ScriptedInteraction& ui, StatusPane pane) {
    for (auto it = ui.status.rbegin(); it != ui.status.rend(); ++it) {
        if (it->first == pane) return ToDisplay(it->second);
    }
    return "<none>";
}

TEST(AlbumCommands, ChoosingATargetFolderDerivesFoldersAndSortsByFileName) {
    TempDir dir;
    for (const char* n : {"c.jpg", "A.jpg", "b.jpg"})
        dir.Write(std::string("trip/") + n, fixtures::MakeJpeg(4, 4));
    ScriptedInteraction ui;
    Session s(ui);
    s.album.fileName = "/old/album.txt";
    s.album.style.ListTemplateFile = "mine.html";
    std::string target = dir.path() + "/trip";
    EXPECT_EQ(ChooseTargetFolder(s, target), 3);
    EXPECT_EQ(Column(s.album, COL_FILE), (std::vector<std::string>{"A.jpg", "b.jpg", "c.jpg"}));
    EXPECT_EQ(s.album.style.TargetFolder, target);
    EXPECT_EQ(s.album.style.TopFolder, target);
    EXPECT_EQ(s.album.style.ListFolder, target + "/html");
    EXPECT_EQ(s.album.style.ThumbFolder, target + "/thumb");
    EXPECT_EQ(s.album.style.TopTitle, "trip");
    EXPECT_EQ(s.album.fileName, Album::NewFileName());
    EXPECT_TRUE(s.album.modified);
    EXPECT_EQ(s.album.sortColumn, COL_FILE);
    EXPECT_FALSE(s.album.sortDescending);
    EXPECT_EQ(LastStatus(ui, StatusPane::TargetFolder), target);
    EXPECT_EQ(LastStatus(ui, StatusPane::RowCount), "　　     3 行");
    EXPECT_EQ(ToDisplay(WindowTitle(s, "/usr/bin/mirulane")), "新規 - mirulane");
    EXPECT_EQ(ProposedSaveName(s), "trip");
}

TEST(AlbumCommands, SortingByColumnReversesTheSameColumnAndKeepsTheDirection) {
    ScriptedInteraction ui;
    Session s(ui);
    SortByColumn(s, COL_TITLE);  // an empty list: remembered, not modified
    EXPECT_EQ(s.album.sortColumn, COL_TITLE);
    EXPECT_FALSE(s.album.modified);

    for (const char* t : {"b", "a", "c"}) {
        int i = s.album.entries.Append(t);
        s.album.entries.SetField(i, COL_TITLE, t);
        s.album.entries.SetField(i, COL_DTORG, std::string("2004/0") + t);
    }
    s.album.currentEntry = 0;    // the preview shows "b"
    SortByColumn(s, COL_TITLE);  // the same column again: descending
    EXPECT_TRUE(s.album.modified);
    EXPECT_EQ(Column(s.album, COL_TITLE), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(s.album.currentEntry, 1);  // and still does
    SortByColumn(s, COL_TITLE);
    EXPECT_EQ(Column(s.album, COL_TITLE), (std::vector<std::string>{"a", "b", "c"}));
    SortByColumn(s, COL_TITLE);
    SortByColumn(s, COL_DTORG);  // a new column keeps the descending direction
    EXPECT_TRUE(s.album.sortDescending);
    EXPECT_EQ(Column(s.album, COL_TITLE), (std::vector<std::string>{"c", "b", "a"}));
}

TEST(AlbumCommands, SavePromptOpenSaveAndStatusTexts) {
    TempDir dir;
    ScriptedInteraction ui;
    Session s(ui);
    s.album.style.TargetFolder = "/photos/trip";
    s.album.entries.Append("a.jpg");
    s.album.entries.Append("b.jpg");

    EXPECT_EQ(SavePrompt(s), SaveResult::NotSaved);  // not modified: no question
    EXPECT_TRUE(ui.messages.empty());

    s.album.modified = true;
    ui.answers = {MsgAnswer::No};
    EXPECT_EQ(SavePrompt(s), SaveResult::NotSaved);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ToDisplay(ui.messages[0].text), "編集中のリストを保存しますか？");
    EXPECT_EQ(ToDisplay(ui.messages[0].caption), "保存確認");

    // Yes for an album never saved: the front end asks for a name and writes there.
    ui.answers = {MsgAnswer::Yes};
    EXPECT_EQ(SavePrompt(s), SaveResult::NeedsName);
    EXPECT_EQ(ProposedSaveName(s), "trip");
    EXPECT_TRUE(s.album.modified);
    ASSERT_EQ(WriteAlbumFile(s.album, dir.path() + "/saved.txt").value_or(-1), 2);
    EXPECT_FALSE(s.album.modified);
    EXPECT_EQ(s.album.fileName, Album::NewFileName());  // only Save As names the album
    EXPECT_EQ(SaveAlbum(s), SaveResult::NeedsName);

    ASSERT_EQ(SaveAlbumAs(s, dir.path() + "/trip.txt"), SaveResult::Saved);
    EXPECT_EQ(s.album.fileName, dir.path() + "/trip.txt");
    EXPECT_EQ(WindowTitle(s, "mirulane"), "trip - mirulane");
    s.album.modified = true;
    EXPECT_EQ(SaveAlbum(s), SaveResult::Saved);  // to the current name, without asking
    EXPECT_FALSE(s.album.modified);
    s.album.modified = true;
    ui.answers = {MsgAnswer::Yes};
    EXPECT_EQ(SavePrompt(s), SaveResult::Saved);
    EXPECT_FALSE(s.album.modified);

    Session other(ui);
    other.album.currentEntry = 1;
    EXPECT_EQ(OpenAlbumFile(other, dir.path() + "/missing.txt"), -1);
    EXPECT_EQ(other.album.fileName, Album::NewFileName());
    EXPECT_EQ(other.album.currentEntry, -1);
    other.album.modified = true;
    EXPECT_EQ(OpenAlbumFile(other, dir.path() + "/trip.txt"), 2);
    EXPECT_FALSE(other.album.modified);
    EXPECT_EQ(other.album.fileName, dir.path() + "/trip.txt");

    other.album.entries.Select(0);
    SelectAllEntries(other);
    EXPECT_EQ(LastStatus(ui, StatusPane::RowCount), "選択     2 行");
    other.album.entries.Deselect(0);
    other.album.entries.Deselect(1);
    other.album.modified = false;
    DeleteSelectedEntries(other);  // nothing selected: nothing deleted, still an edit
    EXPECT_EQ(other.album.entries.Count(), 2);
    EXPECT_TRUE(other.album.modified);
    EXPECT_EQ(LastStatus(ui, StatusPane::RowCount), "　　     2 行");

    NewAlbum(other);
    EXPECT_EQ(other.album.entries.Count(), 0);
    EXPECT_FALSE(other.album.modified);
    EXPECT_EQ(other.album.sortColumn, -1);
    EXPECT_EQ(other.album.style.TargetFolder, "");
    EXPECT_EQ(LastStatus(ui, StatusPane::TargetFolder), "（選択されていません）");
}

// The reader asks about a line too long to read as it meets it, and the lines it skipped for
// their names are told once it is done, whichever the answer.
TEST(AlbumCommands, OpeningAsksAboutAnOverLongLineThenTellsTheNamesSkipped) {
    TempDir dir;
    // 49,151 bytes with the line feed: 48 fields of 1,023 bytes and their separators.
    std::string longLine = "x.jpg\t" + std::string(49151 - 7, 'a') + "\n";
    dir.Write("long.txt", "#[TopPageStyle]\t9\n../evil.jpg\na.jpg\n" + longLine + "b.jpg\n");
    const std::string path = dir.path() + "/long.txt";
    const std::vector<std::string> told = {
        "１行の長さが長すぎるため処理できません\nこの行を無視して処理を続行しますか？\n\n"
        "（中止する場合は [いいえ] を選択してください）",
        "ファイル名が正しくない行を 1 行読み飛ばしました"};

    ScriptedInteraction ui;
    Session s(ui);
    ui.answers = {MsgAnswer::Yes};
    EXPECT_EQ(OpenAlbumFile(s, path), 2);
    EXPECT_EQ(ui.MessagesUtf8(), told);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ToDisplay(ui.messages[0].caption), "読み込みエラー");
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.messages[1].caption, "");
    EXPECT_EQ(ui.messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.messages[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(s.album.fileName, path);

    ScriptedInteraction stop;
    Session other(stop);
    stop.answers = {MsgAnswer::No};
    EXPECT_EQ(OpenAlbumFile(other, path), -1);
    EXPECT_EQ(stop.MessagesUtf8(), told);
    EXPECT_EQ(other.album.entries.Count(), 1);  // the lines before the long one
    EXPECT_EQ(other.album.fileName, Album::NewFileName());
}

}  // namespace
}  // namespace mirulane
