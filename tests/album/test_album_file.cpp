// The album list file: golden output, the reader's rules and limits, and failures.

#include <gtest/gtest.h>

#include "album/album_file.h"
#include "fixtures/fault_injection.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

using fixtures::TempDir;

std::string Utf8(const std::string& sj) { return ToDisplay(sj); }

Album OneCapturedEntry() {
    Album album;
    PageStyle& s = album.style;
    s.TopFolder = "/photos";
    s.TopTitle = "photos";
    s.ListFolder = s.DetailFolder = "/photos/html";
    s.ThumbFolder = "/photos/thumb";
    s.ImageFolder = s.TargetFolder = "/photos";
    int i = album.entries.Append("IMG_0001.JPG");
    const char* fields[] = {
        "IMG_0001.JPG", "IMG_0001", "IMG_0001",         "",       "jpg",    "",     "",
        "Maker",        "Model",    "2004/05/01 10:20", "ISO100", "1/60秒", "F2.8", "7.8mm",
        "発光",         "+0.7EV",   "2048 x 1536"};
    for (int c = 1; c < kColumnCount; ++c) album.entries.SetField(i, c, Sj(fields[c]));
    return album;
}

TEST(AlbumFile, WritesTheDocumentedLayoutWithCrLf) {
    Album album = OneCapturedEntry();
    std::string expected =
        "#[TopPageStyle]\t0\t/photos\tphotos\t5\t5\t140\t140\t15\t15\t0\t0\t0\n"
        "#[ListPageStyle]\t/photos/html\t0\t/photos/thumb\t1\t100\t94\t94\t0\t1\t8\t0\t0\t0\t\n"
        "#[DetailPageStyle]\t/photos/html\t/photos\t1\t100\t400\t400\t0\t0\t1\t\t1\n"
        "#[TargetInfo]\t/photos\n"
        "#[TemplateInfo]\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\tPrev\tNext"
        "\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\n"
        "#ファイル名\tタイトル\t読み\tグループ\t種類\tコメント１\tコメント２\tメーカー\tモデル\t"
        "撮影日時\tISO感度\tｼｬｯﾀｰ速度\t絞り値\t焦点距離\tﾌﾗｯｼｭ状態\t露光補正\t画像サイズ\n"
        "IMG_0001.JPG\tIMG_0001\tIMG_0001\t\tjpg\t\t\tMaker\tModel\t2004/05/01 10:20\tISO100\t"
        "1/60秒\tF2.8\t7.8mm\t発光\t+0.7EV\t2048 x 1536\n";
    EXPECT_EQ(Utf8(AlbumFileText(album)), expected);

    TempDir dir;
    ScriptedInteraction ui;
    album.modified = true;
    ASSERT_EQ(WriteAlbumFile(album, dir.path() + "/a.txt", ui), 1);
    EXPECT_FALSE(album.modified);
    std::string onDisk = dir.Read("a.txt");
    EXPECT_EQ(onDisk.find('\n'), onDisk.find("\r\n") + 1);
    EXPECT_EQ(Utf8(onDisk).size(), expected.size() + 7);  // seven CRs
}

TEST(AlbumFile, RoundTripRestoresOptionsEntriesAndGroups) {
    Album album = OneCapturedEntry();
    PageStyle& s = album.style;
    s.TopStyle = 3;
    s.TopTitle = Sj("旅行 2004");
    s.ListFrameWidth = -5;
    s.ListPreset = 4;
    s.ListTemplateFile = "/t/list.html";
    s.DetailPreset = 16;
    s.TargetToTop = 0;
    s.tokenSwitch[3] = 0;
    s.tokenSwitch[28] = 0;
    s.PrevText = Sj("前へ");
    for (int i = 0; i < 3; ++i) {
        int e = album.entries.Append("p" + std::to_string(i) + ".jpg");
        album.entries.SetField(e, COL_GROUP, i == 1 ? Sj("家族") : "trip");
    }
    TempDir dir;
    ScriptedInteraction ui;
    ASSERT_EQ(WriteAlbumFile(album, dir.path() + "/a.txt", ui), 4);

    Album back;
    back.style.ListTemplateFile = "kept";
    ASSERT_EQ(ReadAlbumFile(back, dir.path() + "/a.txt", ui), 4);
    EXPECT_EQ(AlbumFileText(back), AlbumFileText(album));
    EXPECT_EQ(back.style.TargetToTop, 0);
    EXPECT_EQ(back.style.ListFrameWidth, -5);
    EXPECT_EQ(back.groups, (std::vector<std::string>{"trip", Sj("家族")}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(AlbumFile, ReaderAppliesLegacyPresetsRangesAndPartialLines) {
    auto read = [](const std::string& text) {
        Album a;
        ScriptedInteraction ui;
        EXPECT_GE(ReadAlbumText(a, text, ui), 0);
        return a;
    };
    // 11 option fields: the preset follows the legacy flags.
    EXPECT_EQ(read("#[ListPageStyle]\tL\t1\tT\t1\t100\t94\t94\t1\t1\t8\t0\n").style.ListPreset, 2);
    EXPECT_EQ(read("#[ListPageStyle]\tL\t1\tT\t1\t100\t94\t94\t0\t1\t8\t0\n").style.ListPreset, 1);
    EXPECT_EQ(read("#[ListPageStyle]\tL\t0\tT\t1\t100\t94\t94\t1\t1\t8\t0\n").style.ListPreset, 0);
    EXPECT_EQ(read("#[ListPageStyle]\tL\t1\tT\t1\t100\t94\t94\t1\t1\t8\t0\t0\n").style.ListPreset,
              0);

    Album top = read("#[TopPageStyle]\t7\tF\tT\t1\t2\t3\t-4\t5\t6\t-1\n");
    EXPECT_EQ(top.style.TopStyle, 0);
    EXPECT_EQ(top.style.FrameBorder, 0);
    EXPECT_EQ(top.style.ListFrameWidth, -4);  // not range-checked
    EXPECT_EQ(top.style.TopTitle, "T");

    Album info = read("#[TemplateInfo]\t0\t0\t 0x\t0\n");
    for (int i = 0; i < kTokenCount; ++i) EXPECT_EQ(info.style.tokenSwitch[i], i < 4 ? 0 : 1) << i;
    EXPECT_EQ(info.style.PrevText, "Prev");
    EXPECT_EQ(info.style.NextText, "Next");
    EXPECT_EQ(read("#[TemplateInfo]\t5\t-1\n").style.tokenSwitch[0], 1);

    // Only entry lines: defaults everywhere; notes and blank lines change nothing.
    Album plain = read("# a note\r\n\r\nA.JPG\r\n#[Unknown]\tx\r\nb.avi\tB\r\n\n");
    Album defaults;
    EXPECT_EQ(AlbumFileText(plain).substr(0, 300), AlbumFileText(defaults).substr(0, 300));
    ASSERT_EQ(plain.entries.Count(), 2);
    EXPECT_EQ(plain.entries.Field(0, COL_TITLE), "");
    EXPECT_EQ(plain.entries.Icon(0), KindIcon::Image);
    EXPECT_EQ(plain.entries.Icon(1), KindIcon::Video);
    EXPECT_EQ(plain.entries.Field(1, COL_KIND), "");  // taken from the file as it stands

    // A file naming one file twice gives one entry with the later line's fields.
    Album twice = read("a.jpg\tfirst\tY\na.jpg\tsecond\n");
    ASSERT_EQ(twice.entries.Count(), 1);
    EXPECT_EQ(twice.entries.Field(0, COL_TITLE), "second");
    EXPECT_EQ(twice.entries.Field(0, COL_YOMI), "Y");
    EXPECT_EQ(twice.entries.Field(0, COL_FILE), "a.jpg");

    // Over the field limits the line sets nothing but still makes its entry.
    std::string many = "m.jpg";
    for (int i = 0; i < 48; ++i) many += "\tt";
    Album limits =
        read(many + "\nl.jpg\t" + std::string(1024, 'x') + "\nok.jpg\t" + std::string(1023, 'y') +
             "\n#[TargetInfo]\t" + std::string(1024, 'z') + "\n");
    ASSERT_EQ(limits.entries.Count(), 3);
    EXPECT_EQ(limits.entries.Field(0, COL_TITLE), "");
    EXPECT_EQ(limits.entries.Field(1, COL_TITLE), "");
    EXPECT_EQ(limits.entries.Field(2, COL_TITLE).size(), 1023u);
    EXPECT_EQ(limits.style.TargetFolder, "");

    // Surplus fields beyond column 16 are ignored; the group list collects in order.
    Album groups = read("a\tt\ty\tG1\nb\tt\ty\tG2\nc\tt\ty\tG1\nd\tt\ty\t\n" + std::string("e") +
                        std::string(30, '\t') + "\n");
    EXPECT_EQ(groups.groups, (std::vector<std::string>{"G1", "G2"}));
    EXPECT_EQ(groups.entries.Count(), 5);
}

TEST(AlbumFile, OverLongLineAsksAndNoAbortsWithoutRangeCheck) {
    // 49,151 bytes with the line feed: 48 fields of 1,023 bytes and their separators.
    std::string longLine = "x.jpg\t" + std::string(49151 - 7, 'a') + "\n";
    std::string text = "#[TopPageStyle]\t9\na.jpg\n" + longLine + "b.jpg\n";

    Album yes;
    ScriptedInteraction ui;
    ui.answers = {MsgAnswer::Yes};
    EXPECT_EQ(ReadAlbumText(yes, text, ui), 2);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Utf8(ui.messages[0].text),
              "１行の長さが長すぎるため処理できません\nこの行を無視して処理を続行しますか？\n\n"
              "（中止する場合は [いいえ] を選択してください）");
    EXPECT_EQ(Utf8(ui.messages[0].caption), "読み込みエラー");
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(yes.style.TopStyle, 0);

    Album no;
    ScriptedInteraction ui2;
    ui2.answers = {MsgAnswer::No};
    EXPECT_EQ(ReadAlbumText(no, text, ui2), -1);
    EXPECT_EQ(no.entries.Count(), 1);
    EXPECT_EQ(no.style.TopStyle, 9);  // not range-checked after No

    // One byte shorter is read without a question (CR LF counts as one line feed).
    Album fits;
    ScriptedInteraction ui3;
    std::string justFits = "x.jpg\t" + std::string(49150 - 7, 'a') + "\r\n";
    EXPECT_EQ(ReadAlbumText(fits, justFits, ui3), 1);
    EXPECT_TRUE(ui3.messages.empty());
}

TEST(AlbumFile, NamesThatWouldLeaveTheOutputFolderAreSkippedAndCounted) {
    Album a;
    ScriptedInteraction ui;
    std::string text = "../evil.jpg\tx\n.\tx\n..\tx\nsub/a.jpg\nsub\\b.jpg\n\tempty name\n" +
                       std::string("..\0.jpg\n", 8) + Sj("表示.jpg") + "\tok\n";
    EXPECT_EQ(ReadAlbumText(a, text, ui), 1);
    EXPECT_EQ(a.entries.Field(0, COL_FILE), Sj("表示.jpg"));  // 0x5C trail byte is no separator
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Utf8(ui.messages[0].text), "ファイル名が正しくない行を 7 行読み飛ばしました");
}

TEST(AlbumFile, TabsAndLineBreaksInTextsAreWrittenReadably) {
    Album a;
    int i = a.entries.Append("a.jpg");
    a.entries.SetField(i, COL_COMM1, "one\ttwo\r\nthree\rfour\nfive");
    a.style.TopTitle = "T\tT";
    std::string text = AlbumFileText(a);
    EXPECT_NE(text.find("\tone two<br>three<br>four<br>five\t"), std::string::npos);
    EXPECT_NE(text.find("\tT T\t"), std::string::npos);
    Album back;
    ScriptedInteraction ui;
    ASSERT_EQ(ReadAlbumText(back, text, ui), 1);
    EXPECT_EQ(back.entries.Field(0, COL_COMM1), "one two<br>three<br>four<br>five");
    EXPECT_EQ(back.style.TopTitle, "T T");
}

TEST(AlbumFile, KeepsNamesThatDifferOnlyInCase) {
    Album a;
    ScriptedInteraction ui;
    EXPECT_EQ(ReadAlbumText(a, "IMG_0001.JPG\tupper\tU\nimg_0001.jpg\tlower\n", ui), 2);
    EXPECT_EQ(a.entries.Field(0, COL_FILE), "IMG_0001.JPG");
    EXPECT_EQ(a.entries.Field(0, COL_TITLE), "upper");
    EXPECT_EQ(a.entries.Field(1, COL_FILE), "img_0001.jpg");
    EXPECT_EQ(a.entries.Field(1, COL_TITLE), "lower");
    EXPECT_EQ(a.entries.Field(1, COL_YOMI), "");
}

TEST(AlbumFile, ReadsBackEveryFieldAndLineTheWriterWrites) {
    Album album = OneCapturedEntry();
    PageStyle& s = album.style;
    // A photo folder deeper than 259 bytes: its folders must come back, or the pages would
    // land in the working directory.
    std::string deep = "/photos/" + std::string(150, 'd') + "/" + std::string(150, 'e');
    s.TargetFolder = s.TopFolder = s.ImageFolder = deep;
    s.ListFolder = s.DetailFolder = deep + "/html";
    s.ThumbFolder = deep + "/thumb";
    s.ListTemplateFile = s.DetailTemplateFile = deep + "/template.html";
    // Camera text whose line breaks each grow to "<br>" on writing.
    std::string maker;
    for (int i = 0; i < 100; ++i) maker += "M\n";
    album.entries.SetField(0, COL_MAKER, maker);
    int full = album.entries.Append(std::string(1023, 'f'));
    for (int c = 1; c < kColumnCount; ++c)
        album.entries.SetField(full, c, std::string(1022, 'a') + std::to_string(c % 10));

    std::string text = AlbumFileText(album);
    Album back;
    ScriptedInteraction ui;
    ASSERT_EQ(ReadAlbumText(back, text, ui), 2);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(AlbumFileText(back), text);
    EXPECT_EQ(back.style.TargetFolder, deep);
    EXPECT_EQ(back.style.DetailFolder, deep + "/html");
    EXPECT_EQ(back.entries.Field(0, COL_MAKER).size(), 500u);
    EXPECT_EQ(back.entries.Field(0, COL_TITLE), "IMG_0001");
    EXPECT_EQ(back.entries.Field(1, COL_IMGSZ), std::string(1022, 'a') + "6");
}

TEST(AlbumFile, NamesWithLineBreaksOrTabsAreSkipped) {
    // The scan never takes such a name, so a line holding one names no file.
    Album a;
    ScriptedInteraction ui;
    EXPECT_EQ(ReadAlbumText(a, "bad\rname.jpg\tx\r\nok.jpg\ty\r\n", ui), 1);
    EXPECT_EQ(a.entries.Field(0, COL_FILE), "ok.jpg");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Utf8(ui.messages[0].text), "ファイル名が正しくない行を 1 行読み飛ばしました");
}

TEST(AlbumFile, FailuresShowTheirMessageAndChangeNothing) {
    TempDir dir;
    Album a = OneCapturedEntry();
    a.modified = true;
    ScriptedInteraction ui;
    std::string missing = dir.path() + "/nope/a.txt";
    EXPECT_EQ(WriteAlbumFile(a, missing, ui), -1);
    EXPECT_TRUE(a.modified);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Utf8(ui.messages[0].text), "出力ファイルを開けません(errno=2)\n" + missing);
    EXPECT_EQ(ui.messages[0].caption, "");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);

    EXPECT_EQ(ReadAlbumFile(a, missing, ui), -1);
    EXPECT_EQ(Utf8(ui.messages[1].text), "入力ファイルを開けません(errno=2)\n" + missing);
    EXPECT_EQ(Utf8(ui.messages[1].caption), "オープンエラー");
    EXPECT_EQ(a.entries.Count(), 1);

    // A full disk: the previous album stays, the flag stays set, -1 comes back.
    std::string path = dir.path() + "/album.txt";
    ASSERT_EQ(WriteAlbumFile(a, path, ui), 1);
    std::string before = dir.Read("album.txt");
    a.modified = true;
    a.entries.SetField(0, COL_COMM1, std::string(5000, 'c'));
    {
        fixtures::FileSizeLimit limit(1000);
        EXPECT_EQ(WriteAlbumFile(a, path, ui), -1);
    }
    EXPECT_TRUE(a.modified);
    EXPECT_EQ(dir.Read("album.txt"), before);
    EXPECT_EQ(Utf8(ui.messages.back().text), "出力ファイルに書き込めません(errno=27)\n" + path);
}

// Opening a text file that is no album made an album of its stray lines, and a save then
// replaced the user's file with album data. Such a file is refused before anything changes;
// an album saved without entries and the oldest list files (entry lines only) still open.
TEST(AlbumFile, ATextFileThatIsNoAlbumIsRefusedAndTheAlbumKept) {
    TempDir dir;
    ScriptedInteraction ui;
    Album a = OneCapturedEntry();
    dir.Write("readme.txt", "Read me first\r\n\r\n# not a section\r\nInstall\tit\r\n");
    dir.Write("empty.txt", "");
    for (const char* name : {"readme.txt", "empty.txt"}) {
        std::string path = dir.path() + "/" + name;
        EXPECT_EQ(ReadAlbumFile(a, path, ui), -1) << name;
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(Utf8(ui.messages.back().text), path + "\nはアルバムリストファイルではありません");
        EXPECT_EQ(Utf8(ui.messages.back().caption), "オープンエラー");
        EXPECT_EQ(ui.messages.back().icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(a.entries.Count(), 1);
    EXPECT_EQ(a.style.TargetFolder, "/photos");
    EXPECT_EQ(a.stampPath, "");

    ui.messages.clear();
    Album none;
    ASSERT_EQ(WriteAlbumFile(none, dir.path() + "/none.txt", ui), 0);
    EXPECT_EQ(ReadAlbumFile(a, dir.path() + "/none.txt", ui), 0);
    // An old list file: its entry names a file beside it (in other letter case).
    dir.Write("img_0002.jpg", "");
    dir.Write("old.txt", "missing.jpg\tgone\nIMG_0002.JPG\tkept\n");
    EXPECT_EQ(ReadAlbumFile(a, dir.path() + "/old.txt", ui), 2);
    EXPECT_EQ(a.entries.Field(1, COL_TITLE), "kept");
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace mirulane
