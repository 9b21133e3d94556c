// The page creation options on the command line: each choice lands in the album list file and
// in the pages, options shows them in words, bad values and unreadable template files change
// nothing, and a rerun of album keeps what was chosen before.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixtures/cli_runner.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"

namespace {

using mirulane::fixtures::CliResult;

// The fields of the album list file's section line (field 0 is the tag).
std::vector<std::string> Section(const std::string& listText, const std::string& tag) {
    size_t at = listText.find(tag + "\t");
    if (at == std::string::npos) return {};
    std::string line = listText.substr(at, listText.find("\r\n", at) - at);
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

class CliOptions : public ::testing::Test {
  protected:
    mirulane::fixtures::TempDir dir;
    std::string photos = dir.path() + "/photos";

    CliResult Cli(const std::string& args) {
        return mirulane::fixtures::RunCli(MIRULANE_CLI_PATH, "--profile none.ini " + args,
                                          dir.path());
    }
    std::vector<std::string> Top() { return Section(dir.Read("album.txt"), "#[TopPageStyle]"); }
    std::vector<std::string> List() { return Section(dir.Read("album.txt"), "#[ListPageStyle]"); }
    std::vector<std::string> Detail() {
        return Section(dir.Read("album.txt"), "#[DetailPageStyle]");
    }
    std::string Page(const std::string& name) { return dir.Read("photos/" + name); }

    void SetUp() override {
        dir.Write("photos/P1.JPG", mirulane::fixtures::MakeCameraJpeg());
        // An explicit list preset wins over the one --thumbs would choose.
        CliResult made = Cli("album photos -o album.txt --thumbs --force --list-preset 0");
        ASSERT_EQ(made.status, 0) << made.err;
        ASSERT_EQ(List()[13], "0");
        ASSERT_EQ(Page("html/list.html").find("<img"), std::string::npos);
    }
};

TEST_F(CliOptions, EachChoiceLandsInTheListFileAndInThePages) {
    CliResult set =
        Cli("options album.txt --layout 2 --list-preset 4 --detail-preset 5 --title 旅の写真 "
            "--thumb-size 120x90 --image-size 640x480");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, "");
    EXPECT_EQ(Top()[1], "2");
    EXPECT_EQ(Top()[3], mirulane::Sj("旅の写真"));
    // The list frame (a row in layout 2) grew to show the shooting data beside the thumbnails.
    EXPECT_EQ(Top()[6], "200");
    EXPECT_EQ(Top()[7], "140");
    EXPECT_EQ(List()[4], "1");    // fit into a size
    EXPECT_EQ(List()[6], "90");   // height
    EXPECT_EQ(List()[7], "120");  // width
    EXPECT_EQ(List()[12], "0");   // preset, not a file
    EXPECT_EQ(List()[13], "4");
    EXPECT_EQ(Detail()[3], "1");
    EXPECT_EQ(Detail()[5], "480");
    EXPECT_EQ(Detail()[6], "640");
    EXPECT_EQ(Detail()[9], "5");

    CliResult shown = Cli("options album.txt");
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out,
              "レイアウト (--layout): 2 上下分割１（上:個別 下:リスト）\n"
              "リストフレームの高さ (--frame-size): 200\n"
              "タイトル (--title): 旅の写真\n"
              "リストページ (--list-preset): プリセット 4 サムネイル＋枠＋撮影情報\n"
              "個別ページ (--detail-preset): プリセット 5 画像＋Exif情報\n"
              "サムネイルの表示サイズ (--thumb-size): 120x90 に収める\n"
              "個別ページの画像の表示サイズ (--image-size): 640x480 に収める\n"
              "個別ページの動画 (--movie-tag): video\n");

    ASSERT_EQ(Cli("generate album.txt --force").status, 0);
    std::string index = Page("index.html");
    EXPECT_NE(index.find("rows=*,200"), std::string::npos) << index;
    EXPECT_NE(index.find(mirulane::Sj("<title>旅の写真</title>")), std::string::npos);
    // The list preset switch changes list.html: thumbnails, fitted, with the shooting data.
    std::string list = Page("html/list.html");
    EXPECT_NE(list.find("../thumb/P1.JPG\" border=\"0\" width=\"120\" height=\"90\""),
              std::string::npos)
        << list;
    EXPECT_NE(list.find("ISO100"), std::string::npos);
    std::string detail = Page("html/P1.html");
    EXPECT_NE(detail.find("height=\"480\" width=\"640\""), std::string::npos) << detail;
    EXPECT_NE(detail.find("MIRU DC-200"), std::string::npos);

    // generate takes the choices too, and keeps them for the next run.
    CliResult gen = Cli("generate album.txt --force --layout 0 --list-preset 1");
    ASSERT_EQ(gen.status, 0) << gen.err;
    EXPECT_EQ(Top()[1], "0");
    EXPECT_EQ(List()[13], "1");
    EXPECT_NE(Page("index.html").find("cols=140,*"), std::string::npos);
    ASSERT_EQ(Cli("generate album.txt --force").status, 0);
    EXPECT_NE(Page("index.html").find("cols=140,*"), std::string::npos);

    // The frame size given wins; a frame already large enough for the thumbnail preset stays.
    ASSERT_EQ(Cli("options album.txt --list-preset 4 --frame-size 250").status, 0);
    EXPECT_EQ(Top()[7], "250");
    ASSERT_EQ(Cli("options album.txt --list-preset 0 --frame-size 500").status, 0);
    ASSERT_EQ(Cli("options album.txt --list-preset 4").status, 0);
    EXPECT_EQ(Top()[7], "500");
    EXPECT_EQ(Top()[6], "200");
}

TEST_F(CliOptions, TemplateFilesAreCheckedAndBadValuesChangeNothing) {
    dir.Write("mine.html", "<html><body>\n<!--mirulanestart-->\n[_FILE_]\n<!--mirulaneend-->\n");
    CliResult set = Cli("options album.txt --list-template mine.html");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(List()[12], "1");
    EXPECT_EQ(List()[14], dir.path() + "/mine.html");  // absolute: usable from anywhere
    EXPECT_NE(
        Cli("options album.txt")
            .out.find("リストページ (--list-template): オリジナル " + dir.path() + "/mine.html\n"),
        std::string::npos);
    ASSERT_EQ(Cli("generate album.txt --force").status, 0);
    EXPECT_NE(Page("html/list.html").find("[P1]"), std::string::npos);

    const std::string before = dir.Read("album.txt");
    CliResult missing = Cli("options album.txt --detail-template none.html --layout 1");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("指定されたテンプレートファイルを開けません(errno=2)\n" +
                               dir.path() + "/none.html"),
              std::string::npos)
        << missing.err;
    EXPECT_EQ(dir.Read("album.txt"), before);
    CliResult generateMissing = Cli("generate album.txt --force --detail-template none.html");
    EXPECT_EQ(generateMissing.status, 1);
    EXPECT_EQ(dir.Read("album.txt"), before);

    struct Bad {
        const char* args;
        const char* named;
    };
    for (const Bad& bad : {Bad{"--layout 5", "--layout には 0 から 4 の数"},
                           Bad{"--layout -1", "--layout には 0 から 4 の数"},
                           Bad{"--detail-preset 17", "--detail-preset には 0 から 16 の数"},
                           Bad{"--list-preset x", "--list-preset には 0 から 4 の数"},
                           Bad{"--thumb-size 120", "--thumb-size には 幅x高さ"},
                           Bad{"--image-size 640x-1", "--image-size には 幅x高さ"},
                           Bad{"--list-preset 1 --list-template mine.html",
                               "--list-preset と --list-template は同時に指定できません"},
                           Bad{"--title", "オプション --title の後に TEXT を指定してください"}}) {
        CliResult r = Cli(std::string("options album.txt ") + bad.args);
        EXPECT_EQ(r.status, 2) << bad.args;
        EXPECT_NE(r.err.find(bad.named), std::string::npos) << bad.args << "\n" << r.err;
        EXPECT_EQ(dir.Read("album.txt"), before) << bad.args;
    }
    // The dialog's title field takes 255 bytes; a title beyond is refused, not cut.
    CliResult longTitle =
        Cli("options album.txt --title " + std::string(128, 'a') + "あ" + std::string(127, 'a'));
    EXPECT_EQ(longTitle.status, 2);
    EXPECT_NE(longTitle.err.find("--title は Shift-JIS で 255 バイトまで"), std::string::npos);
    EXPECT_EQ(Cli("options album.txt --title " + std::string(253, 'a') + "あ").status, 0);
    EXPECT_EQ(Top()[3], std::string(253, 'a') + mirulane::Sj("あ"));
}

TEST_F(CliOptions, RerunningAlbumKeepsTheStoredChoices) {
    ASSERT_EQ(Cli("options album.txt --layout 3 --detail-preset 12 --image-size 300x200").status,
              0);
    for (const char* args :
         {"album photos -o album.txt --force", "album photos -o album.txt --force --thumbs"}) {
        CliResult again = Cli(args);
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(Top()[1], "3") << args;
        EXPECT_EQ(Detail()[9], "12") << args;
        EXPECT_EQ(Detail()[6], "300") << args;
        EXPECT_NE(Page("html/P1.html").find("width=\"266\""), std::string::npos) << args;
    }
    // --thumbs shows what it copies: the text-only list page took the thumbnail preset, in a
    // list frame high enough for it.
    EXPECT_EQ(List()[13], "4");
    EXPECT_NE(Page("index.html").find("rows=200,*"), std::string::npos);
    // A list page that shows thumbnails already is the user's choice and stays.
    ASSERT_EQ(Cli("options album.txt --list-preset 2").status, 0);
    ASSERT_EQ(Cli("album photos -o album.txt --force --thumbs").status, 0);
    EXPECT_EQ(List()[13], "2");
    // A new choice on the command line replaces the stored one.
    ASSERT_EQ(Cli("album photos -o album.txt --force --layout 1").status, 0);
    EXPECT_EQ(Top()[1], "1");
    // Layout 4 has no frames: index.html is the list itself.
    ASSERT_EQ(Cli("album photos -o album.txt --force --layout 4").status, 0);
    EXPECT_EQ(Top()[1], "4");
    EXPECT_EQ(Page("index.html").find("<frame"), std::string::npos);
    EXPECT_NE(Page("index.html").find("name=\"viewport\""), std::string::npos);
    // A bad value is refused before the folder is read or anything is written.
    const std::string before = dir.Read("album.txt");
    CliResult bad = Cli("album photos -o album.txt --force --layout 9");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(dir.Read("album.txt"), before);
}

}  // namespace
