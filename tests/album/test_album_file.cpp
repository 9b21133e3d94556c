// The album list file: golden output, the reader's rules and limits, and failures.

#include <gtest/gtest.h>

#include "album/album_file.h"
#include "app/problem_text.h"
#include "fixtures/fault_injection.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

using fixtures::TempDir;

std::string Utf8(const std::string& sj) { return ToDisplay(sj); }

// What a problem tells the user, in UTF-8.
std::string Told(const Problem& problem) { return Utf8(ProblemText(problem).text); }

// Reads text answering nothing (no line is too long in these); the number of entries.
int ReadText(Album& album, std::string_view text) {
    AlbumRead read = ReadAlbumText(album, text, nullptr);
    EXPECT_FALSE(read.stopped);
    EXPECT_EQ(read.refusedNames, 0);
    return read.entries;
}

int Written(const Expected<int>& written) { return written.value_or(-1); }

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
    album.modified = true;
    ASSERT_EQ(Written(WriteAlbumFile(album, dir.path() + "/a.txt")), 1);
    EXPECT_FALSE(album.modified);
    std::string onDisk = dir.Read("a.txt");
    EXPECT_EQ(onDisk.find('\n'), onDisk.find("\r\n") + 1);
    EXPECT_EQ(Utf8(onDisk).size(), expected.size() + 7);  // seven CRs

    // A switch added since is written only when on, and read back.
    album.style.MovieDynsrc = true;
    const std::string withSwitch = Utf8(AlbumFileText(album));
    EXPECT_NE(withSwitch.find("\t1\t\t1\t1\n#[TargetInfo]"), std::string::npos) << withSwitch;
}

TEST(AlbumFile, RoundTripRestoresOptionsEntriesAndGroups) {
    Album album = OneCapturedEntry();
    PageStyle& s = album.style;
    s.TopStyle = TopLayout::NoFrames;
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
    ASSERT_EQ(Written(WriteAlbumFile(album, dir.path() + "/a.txt")), 4);

    Album back;
    back.style.ListTemplateFile = "kept";
    Expected<AlbumRead> read = ReadAlbumFile(back, dir.path() + "/a.txt", nullptr);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->entries, 4);
    EXPECT_EQ(read->refusedNames, 0);
    EXPECT_EQ(AlbumFileText(back), AlbumFileText(album));
    EXPECT_EQ(back.style.TargetToTop, 0);
    EXPECT_EQ(back.style.ListFrameWidth, -5);
    EXPECT_EQ(back.groups, (std::vector<std::string>{"trip", Sj("家族")}));
}

TEST(AlbumFile, ReaderAppliesLegacyPresetsRangesAndPartialLines) {
    auto read = [](const std::string& text) {
        Album a;
        EXPECT_FALSE(ReadAlbumText(a, text, nullptr).stopped);
        return a;
    };
    // 11 option fields: the preset follows the legacy flags.
    EXPECT_EQ(read("#[ListPageStyle]\tL\t1\tT\t1\t100\t94\t94\t1\t1\t8\t0\n").style.ListPreset, 2);
    EXPECT_EQ(read("#[ListPageStyle]\tL\t1\tT\t1\t100\t94\t94\t0\t1\t8\t0\n").style.ListPreset, 1);
    EXPECT_EQ(read("#[ListPageStyle]\tL\t0\tT\t1\t100\t94\t94\t1\t1\t8\t0\n").style.ListPreset, 0);
    EXPECT_EQ(read("#[ListPageStyle]\tL\t1\tT\t1\t100\t94\t94\t1\t1\t8\t0\t0\n").style.ListPreset,
              0);

    Album top = read("#[TopPageStyle]\t7\tF\tT\t1\t2\t3\t-4\t5\t6\t-1\n");
    EXPECT_EQ(top.style.TopStyle, TopLayout::ListLeft);
    EXPECT_EQ(top.style.FrameBorder, 0);
    EXPECT_EQ(top.style.ListFrameWidth, -4);  // not range-checked
    EXPECT_EQ(top.style.TopTitle, "T");
    // The layout without frames is the last one read; an older reader, which knows only the
    // four frame layouts, takes 4 as the first of them, as this one takes 5.
    EXPECT_EQ(read("#[TopPageStyle]\t4\tF\tT\n").style.TopStyle, TopLayout::NoFrames);
    EXPECT_EQ(read("#[TopPageStyle]\t5\tF\tT\n").style.TopStyle, TopLayout::ListLeft);

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
    int asked = 0;
    auto answer = [&asked](bool skip) {
        return [&asked, skip] {
            ++asked;
            return skip;
        };
    };

    Album yes;
    AlbumRead read = ReadAlbumText(yes, text, answer(true));
    EXPECT_EQ(read.entries, 2);
    EXPECT_FALSE(read.stopped);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(yes.style.TopStyle, TopLayout::ListLeft);

    Album no;
    read = ReadAlbumText(no, text, answer(false));
    EXPECT_TRUE(read.stopped);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(no.entries.Count(), 1);
    EXPECT_EQ(no.style.TopStyle, static_cast<TopLayout>(9));  // not range-checked after No

    // One byte shorter is read without a question (CR LF counts as one line feed).
    Album fits;
    std::string justFits = "x.jpg\t" + std::string(49150 - 7, 'a') + "\r\n";
    EXPECT_EQ(ReadAlbumText(fits, justFits, answer(false)).entries, 1);
    EXPECT_EQ(asked, 2);
}

TEST(AlbumFile, NamesThatWouldLeaveTheOutputFolderAreSkippedAndCounted) {
    Album a;
    std::string text = "../evil.jpg\tx\n.\tx\n..\tx\nsub/a.jpg\nsub\\b.jpg\n\tempty name\n" +
                       std::string("..\0.jpg\n", 8) + Sj("表示.jpg") + "\tok\n";
    AlbumRead read = ReadAlbumText(a, text, nullptr);
    EXPECT_EQ(read.entries, 1);
    EXPECT_EQ(a.entries.Field(0, COL_FILE), Sj("表示.jpg"));  // 0x5C trail byte is no separator
    EXPECT_EQ(read.refusedNames, 7);
    EXPECT_EQ(Told({.kind = ProblemKind::NamesRefused, .count = read.refusedNames}),
              "ファイル名が正しくない行を 7 行読み飛ばしました");
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
    ASSERT_EQ(ReadText(back, text), 1);
    EXPECT_EQ(back.entries.Field(0, COL_COMM1), "one two<br>three<br>four<br>five");
    EXPECT_EQ(back.style.TopTitle, "T T");
}

TEST(AlbumFile, KeepsNamesThatDifferOnlyInCase) {
    Album a;
    EXPECT_EQ(ReadText(a, "IMG_0001.JPG\tupper\tU\nimg_0001.jpg\tlower\n"), 2);
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
    ASSERT_EQ(ReadText(back, text), 2);
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
    AlbumRead read = ReadAlbumText(a, "bad\rname.jpg\tx\r\nok.jpg\ty\r\n", nullptr);
    EXPECT_EQ(read.entries, 1);
    EXPECT_EQ(a.entries.Field(0, COL_FILE), "ok.jpg");
    EXPECT_EQ(read.refusedNames, 1);
}

TEST(AlbumFile, FailuresTellTheirProblemAndChangeNothing) {
    TempDir dir;
    Album a = OneCapturedEntry();
    a.modified = true;
    std::string missing = dir.path() + "/nope/a.txt";
    Expected<int> written = WriteAlbumFile(a, missing);
    ASSERT_FALSE(written);
    EXPECT_TRUE(a.modified);
    ProblemNotice told = ProblemText(written.error());
    EXPECT_EQ(Utf8(told.text), "出力ファイルを開けません(errno=2)\n" + missing);
    EXPECT_EQ(told.caption, "");
    EXPECT_EQ(told.icon, MsgIcon::Exclamation);

    Expected<AlbumRead> read = ReadAlbumFile(a, missing, nullptr);
    ASSERT_FALSE(read);
    told = ProblemText(read.error());
    EXPECT_EQ(Utf8(told.text), "入力ファイルを開けません(errno=2)\n" + missing);
    EXPECT_EQ(Utf8(told.caption), "オープンエラー");
    EXPECT_EQ(a.entries.Count(), 1);

    // A full disk: the previous album stays, the flag stays set, the problem comes back.
    std::string path = dir.path() + "/album.txt";
    ASSERT_EQ(Written(WriteAlbumFile(a, path)), 1);
    std::string before = dir.Read("album.txt");
    a.modified = true;
    a.entries.SetField(0, COL_COMM1, std::string(5000, 'c'));
    {
        fixtures::FileSizeLimit limit(1000);
        written = WriteAlbumFile(a, path);
    }
    ASSERT_FALSE(written);
    EXPECT_TRUE(a.modified);
    EXPECT_EQ(dir.Read("album.txt"), before);
    EXPECT_EQ(Told(written.error()), "出力ファイルに書き込めません(errno=27)\n" + path);
}

// Opening a text file that is no album made an album of its stray lines, and a save then
// replaced the user's file with album data. Such a file is refused before anything changes;
// an album saved without entries and the oldest list files (entry lines only) still open.
TEST(AlbumFile, ATextFileThatIsNoAlbumIsRefusedAndTheAlbumKept) {
    TempDir dir;
    Album a = OneCapturedEntry();
    dir.Write("readme.txt", "Read me first\r\n\r\n# not a section\r\nInstall\tit\r\n");
    dir.Write("empty.txt", "");
    for (const char* name : {"readme.txt", "empty.txt"}) {
        std::string path = dir.path() + "/" + name;
        Expected<AlbumRead> read = ReadAlbumFile(a, path, nullptr);
        ASSERT_FALSE(read) << name;
        ProblemNotice told = ProblemText(read.error());
        EXPECT_EQ(Utf8(told.text), path + "\nはアルバムリストファイルではありません");
        EXPECT_EQ(Utf8(told.caption), "オープンエラー");
        EXPECT_EQ(told.icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(a.entries.Count(), 1);
    EXPECT_EQ(a.style.TargetFolder, "/photos");
    EXPECT_EQ(a.stampPath, "");

    Album none;
    ASSERT_EQ(Written(WriteAlbumFile(none, dir.path() + "/none.txt")), 0);
    auto entriesRead = [&a](const std::string& path) {
        Expected<AlbumRead> read = ReadAlbumFile(a, path, nullptr);
        return read ? read->entries : -1;
    };
    EXPECT_EQ(entriesRead(dir.path() + "/none.txt"), 0);
    // An old list file: its entry names a file beside it (in other letter case).
    dir.Write("img_0002.jpg", "");
    dir.Write("old.txt", "missing.jpg\tgone\nIMG_0002.JPG\tkept\n");
    EXPECT_EQ(entriesRead(dir.path() + "/old.txt"), 2);
    EXPECT_EQ(a.entries.Field(1, COL_TITLE), "kept");
}

}  // namespace
}  // namespace mirulane
