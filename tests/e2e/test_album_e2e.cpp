// Whole albums through mirulane-cli: every link of every page resolves, refresh keeps the
// user's edits, and the extension filter decides which files become entries.

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixtures/cli_runner.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"

namespace {

namespace fs = std::filesystem;
using namespace mirulane::fixtures;

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == sep) {
            out.push_back(cur);
            cur.clear();
        } else if (c != '\r') {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

std::string Join(const std::vector<std::string>& parts, char sep) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? std::string(1, sep) : "") + parts[i];
    return out;
}

// The entry lines of an album list file, each split into its fields.
std::vector<std::vector<std::string>> Entries(const std::string& listText) {
    std::vector<std::vector<std::string>> out;
    for (const auto& line : Split(listText, '\n')) {
        if (!line.empty() && line[0] != '#') out.push_back(Split(line + "\t", '\t'));
    }
    return out;
}

// Sets option field k of a section line of an album list file.
std::string SetOption(const std::string& listText, const std::string& tag, size_t k,
                      const std::string& value) {
    std::vector<std::string> lines = Split(listText, '\n');
    for (auto& line : lines) {
        std::vector<std::string> f = Split(line + "\t", '\t');
        if (!f.empty() && f[0] == tag) {
            while (f.size() <= k) f.emplace_back();
            f[k] = value;
            line = Join(f, '\t');
        }
    }
    return Join(lines, '\n') + "\n";
}

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Applies `edit` to the fields of every entry line of an album list file.
std::string EditEntries(const std::string& listText,
                        const std::function<void(std::vector<std::string>&)>& edit) {
    std::vector<std::string> lines = Split(listText, '\n');
    for (auto& line : lines) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f = Split(line + "\t", '\t');
        edit(f);
        line = Join(f, '\t');
    }
    return Join(lines, '\n') + "\n";
}

struct LinkCount {
    int followed = 0;
    int emptyThumbnails = 0;  // src="" of an entry whose thumbnail does not exist
};

// The file a browser asks for by a link of a page: the page is Shift-JIS, so the link's
// characters are read as such (and asked for by their UTF-8 bytes, as the file system names
// them), after its character references and percent escapes are undone.
std::string BrowserPath(const std::string& link) {
    std::string unescaped;
    for (size_t i = 0; i < link.size(); ++i) {
        if (link.compare(i, 5, "&amp;") == 0) {
            unescaped += '&';
            i += 4;
        } else if (link[i] == '%' && i + 2 < link.size()) {
            unescaped += static_cast<char>(std::stoi(link.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            unescaped += link[i];
        }
    }
    return mirulane::Cp932ToUtf8(unescaped).value_or(unescaped);
}

// Checks that every href and src of a page names an existing file.
void CheckLinks(const fs::path& page, LinkCount& count) {
    std::string html = Slurp(page);
    static const std::regex kLink(R"((href|src)="([^"]*)\")");
    for (std::sregex_iterator it(html.begin(), html.end(), kLink), end; it != end; ++it) {
        std::string kind = (*it)[1];
        std::string target = (*it)[2];
        if (target == "about:blank") continue;
        if (target.empty() && kind == "src") {
            ++count.emptyThumbnails;
            continue;
        }
        EXPECT_TRUE(fs::is_regular_file(page.parent_path() / BrowserPath(target)))
            << page << " links to a missing " << target;
        ++count.followed;
    }
}

class AlbumE2E : public ::testing::Test {
  protected:
    TempDir dir;
    std::string photos = dir.path() + "/photos";
    CliResult Cli(const std::string& args, const std::string& profile = "none.ini") {
        return RunCli(MIRULANE_CLI_PATH, "--profile " + ShellQuote(profile) + " " + args,
                      dir.path());
    }
    void Photo(const std::string& name, std::string bytes) { dir.Write("photos/" + name, bytes); }
    void CameraPhoto(const std::string& name, ByteOrder order) {
        CameraJpeg c;
        c.order = order;
        c.width = 640;
        c.height = 480;
        Photo(name, MakeCameraJpeg(c));
    }
    std::vector<std::string> FileNames(const std::string& list) {
        std::vector<std::string> out;
        for (const auto& e : Entries(dir.Read(list))) out.push_back(e[0]);
        return out;
    }
};

TEST_F(AlbumE2E, EveryLinkOfEveryPageResolvesInEveryLayout) {
    CameraPhoto("a.jpg", ByteOrder::Little);
    CameraPhoto("B.JPG", ByteOrder::Big);
    Photo("plain.jpg", MakeJpeg(300, 200));  // no Exif, so no thumbnail to extract
    Photo("clip.avi", MakeAvi(320, 240));
    Photo("readme.txt", "not a photo");

    // Exif thumbnails only: plain.jpg, a header without pixels, would fail a made one.
    CliResult made = Cli("album photos -o album.txt --thumbs --exif-only --force");
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, photos + "/index.html\n");
    // Without a terminal there is no progress display to clutter a log.
    EXPECT_EQ(made.err.find("読み込み中"), std::string::npos) << made.err;
    EXPECT_EQ(FileNames("album.txt"),
              (std::vector<std::string>{"a.jpg", "B.JPG", "clip.avi", "plain.jpg"}));
    EXPECT_TRUE(fs::exists(photos + "/thumb/a.jpg"));
    EXPECT_TRUE(fs::exists(photos + "/thumb/B.JPG"));

    // Every layout, list preset and detail preset, regenerated over the same album.
    std::string list = dir.Read("album.txt");
    for (int d = 0; d < 17; ++d) {
        std::string edited = SetOption(list, "#[DetailPageStyle]", 9, std::to_string(d));
        edited = SetOption(edited, "#[ListPageStyle]", 13, std::to_string(d % 5));
        edited = SetOption(edited, "#[TopPageStyle]", 1, std::to_string(d % 4));
        dir.Write("edited.txt", edited);
        CliResult gen = Cli("generate edited.txt --force");
        ASSERT_EQ(gen.status, 0) << gen.err;
        LinkCount links;
        CheckLinks(photos + "/index.html", links);
        for (const char* page : {"a.html", "B.html", "clip.html", "plain.html"}) {
            CheckLinks(photos + "/html/" + page, links);
        }
        EXPECT_EQ(links.emptyThumbnails, 0);
        CheckLinks(photos + "/html/list.html", links);
        // List presets 1 to 4 show thumbnails: the movie and the JPEG without an Exif
        // thumbnail have none, so their cells keep an empty source.
        EXPECT_EQ(links.emptyThumbnails, d % 5 == 0 ? 0 : 2) << "list preset " << d % 5;
        EXPECT_GT(links.followed, 8) << "detail preset " << d;
    }
}

// No two files of one run share a name: a photo named list.jpg keeps the list page, photos
// that share a base name (letter case aside) each get a page, and nothing written in the run
// is "kept" as an old file by a later step of the same run.
TEST_F(AlbumE2E, EveryEntryAndTheListPageKeepTheirOwnFiles) {
    CameraPhoto("list.jpg", ByteOrder::Little);
    CameraPhoto("a.jpg", ByteOrder::Big);
    CameraPhoto("A.JPG", ByteOrder::Little);
    Photo("a.png", MakePng(64, 48));
    dir.Write("all.ini", "[Environment]\nEnvUseFilter=0\n");  // PNG files too

    CliResult made = Cli("album photos -o album.txt --thumbs --exif-only", "all.ini");
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.err.find("--force"), std::string::npos) << made.err;
    EXPECT_NE(Slurp(photos + "/html/list.html").find("target=\"detail\""), std::string::npos);
    std::vector<std::string> pages = {"A.html", "a_jpg.html", "a_png.html", "list_jpg.html"};
    LinkCount links;
    CheckLinks(photos + "/index.html", links);
    CheckLinks(photos + "/html/list.html", links);
    for (const auto& page : pages) {
        ASSERT_TRUE(fs::exists(photos + "/html/" + page)) << page;
        CheckLinks(photos + "/html/" + page, links);
    }
    EXPECT_NE(Slurp(photos + "/html/a_png.html").find("src=\"../a.png\""), std::string::npos);
    EXPECT_NE(Slurp(photos + "/html/list_jpg.html").find("src=\"../list.jpg\""), std::string::npos);

    CliResult forced = Cli("generate album.txt --force", "all.ini");
    ASSERT_EQ(forced.status, 0) << forced.err;
    EXPECT_NE(Slurp(photos + "/html/list.html").find("target=\"detail\""), std::string::npos);
}

// Names and camera texts come from the files: whatever they hold, they show as text and never
// become markup, and every link still leads to its file, whose letter case on disk it keeps.
TEST_F(AlbumE2E, NamesAndCameraTextsFromFilesCannotInjectMarkup) {
    CameraJpeg hostile;
    hostile.make = "<script>alert(1)</script>";
    const std::string injected = "\"><img src=x onerror=alert(2)>";
    Photo(injected + ".jpg", MakeCameraJpeg(hostile));
    CameraPhoto("旅行 #1 100%.jpg", ByteOrder::Big);
    CameraPhoto("a.jpg", ByteOrder::Little);

    ASSERT_EQ(Cli("album photos -o album.txt --thumbs --force").status, 0);
    fs::rename(photos + "/thumb/a.jpg", photos + "/thumb/A.JPG");
    std::string list = dir.Read("album.txt");
    list = SetOption(list, "#[DetailPageStyle]", 9, "12");  // the one with maker and file name
    list = SetOption(list, "#[ListPageStyle]", 13, "4");    // thumbnails, file names, camera data
    dir.Write("album.txt", list);
    CliResult gen = Cli("generate album.txt --force");
    ASSERT_EQ(gen.status, 0) << gen.err;

    std::vector<std::string> pages;
    for (const auto& entry : fs::directory_iterator(photos + "/html")) {
        if (entry.path().filename() != ".mirulane-manifest") pages.push_back(entry.path().string());
    }
    ASSERT_EQ(pages.size(), 4u);  // list.html and three detail pages
    LinkCount links;
    CheckLinks(photos + "/index.html", links);
    for (const auto& page : pages) {
        std::string html = Slurp(page);
        EXPECT_EQ(html.find("<img src=x"), std::string::npos) << page;
        EXPECT_EQ(html.find("<script>"), std::string::npos) << page;
        CheckLinks(page, links);
    }
    EXPECT_EQ(links.emptyThumbnails, 0);
    std::string listPage = Slurp(photos + "/html/list.html");
    EXPECT_NE(listPage.find("src=\"../thumb/A.JPG\""), std::string::npos);
    EXPECT_NE(listPage.find("alt=\"&quot;&gt;&lt;img src=x onerror=alert(2)&gt;.jpg\""),
              std::string::npos);
    EXPECT_NE(
        Slurp(photos + "/html/" + BrowserPath("%22%3E%3Cimg%20src=x%20onerror=alert(2)%3E.html"))
            .find("&lt;script&gt;alert(1)&lt;/script&gt;"),
        std::string::npos);
}

// Titles and comments made of token names multiply a page at every replacement: generate
// fails with its message instead of running out of memory.
TEST_F(AlbumE2E, ValuesMadeOfTokenNamesFailGenerate) {
    for (int i = 0; i < 600; ++i) {
        CameraPhoto("P" + std::to_string(1000 + i) + ".jpg", ByteOrder::Little);
    }
    ASSERT_EQ(Cli("scan photos -o album.txt").status, 0);
    auto chain = [](const std::string& token) {
        std::string out;
        while (out.size() + token.size() <= 259) out += token;  // an album file field's limit
        return out;
    };
    dir.Write("album.txt", EditEntries(dir.Read("album.txt"), [&](std::vector<std::string>& f) {
                  f[1] = chain("_YOMI_");
                  f[2] = chain("_GROUP_");
                  f[3] = chain("_COMM1_");
                  f[5] = chain("_COMM2_");
                  f[6] = chain("_MAKER_");
              }));
    CliResult gen = Cli("generate album.txt --force");
    EXPECT_EQ(gen.status, 1);
    EXPECT_NE(gen.err.find("一覧ページが大きくなりすぎるため作成できません"), std::string::npos)
        << gen.err;
    EXPECT_NE(gen.err.find("HTMLページの作成に失敗しました"), std::string::npos);
    EXPECT_FALSE(fs::exists(photos + "/html/list.html"));
}

// A list template without its repeat markers fails generate instead of writing an empty index.
TEST_F(AlbumE2E, ListTemplateWithoutMarkersFailsGenerate) {
    CameraPhoto("a.jpg", ByteOrder::Big);
    ASSERT_EQ(Cli("scan photos -o album.txt").status, 0);
    dir.Write("mine.html", "<html><body>_TDTEXT_</body></html>\n");
    std::string list = SetOption(dir.Read("album.txt"), "#[ListPageStyle]", 12, "1");
    dir.Write("album.txt", SetOption(list, "#[ListPageStyle]", 14, dir.path() + "/mine.html"));
    CliResult gen = Cli("generate album.txt --force");
    EXPECT_EQ(gen.status, 1);
    EXPECT_NE(gen.err.find("テンプレートの内容が不正です"), std::string::npos) << gen.err;
    EXPECT_FALSE(fs::exists(photos + "/html/list.html"));
}

// An entry whose name is not Shift-JIS (an album file edited by hand or by another program)
// is passed over with one message; the others get their pages, and nothing links to it.
TEST_F(AlbumE2E, EntriesWhoseNamesAreNotShiftJisArePassedOver) {
    CameraPhoto("a.jpg", ByteOrder::Big);
    CameraPhoto("b.jpg", ByteOrder::Little);
    ASSERT_EQ(Cli("scan photos -o album.txt").status, 0);
    std::string list = dir.Read("album.txt");
    size_t at = list.find("\nb.jpg\t");
    ASSERT_NE(at, std::string::npos);
    list.insert(at + 1, "\x82\xFF.jpg\tbroken\r\n");
    dir.Write("album.txt", list);
    CliResult gen = Cli("generate album.txt --force");
    ASSERT_EQ(gen.status, 0) << gen.err;
    EXPECT_NE(gen.err.find("次のエントリ 1 件は名前に Shift-JIS で表せない文字を含むため"),
              std::string::npos)
        << gen.err;
    LinkCount links;
    for (const char* page : {"index.html", "html/list.html", "html/a.html", "html/b.html"}) {
        ASSERT_TRUE(fs::exists(photos + "/" + page)) << page;
        CheckLinks(photos + "/" + page, links);
    }
    EXPECT_EQ(Slurp(photos + "/html/list.html").find("broken"), std::string::npos);
}

TEST_F(AlbumE2E, RefreshKeepsEditsDropsVanishedFilesAndAppendsNewOnes) {
    CameraPhoto("a.jpg", ByteOrder::Big);
    CameraPhoto("b.JPG", ByteOrder::Little);
    Photo("c.jpg", MakeJpeg(10, 10));
    ASSERT_EQ(Cli("scan photos -o list.txt").status, 0);

    std::vector<std::string> lines = Split(dir.Read("list.txt"), '\n');
    for (auto& line : lines) {
        if (line.rfind("a.jpg\t", 0) == 0) {
            std::vector<std::string> f = Split(line + "\t", '\t');
            f[1] = "Edited title";
            f[5] = "a comment";
            line = Join(f, '\t');
        }
    }
    dir.Write("list.txt", Join(lines, '\n') + "\n");
    fs::remove(photos + "/b.JPG");
    Photo("e.jpg", MakeJpeg(10, 10));
    Photo("0first.jpg", MakeJpeg(10, 10));

    CliResult refreshed = Cli("refresh list.txt");
    ASSERT_EQ(refreshed.status, 0) << refreshed.err;
    auto entries = Entries(dir.Read("list.txt"));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0][0], "a.jpg");
    EXPECT_EQ(entries[0][1], "Edited title");
    EXPECT_EQ(entries[0][5], "a comment");
    EXPECT_EQ(entries[0][7], "MIRU");  // captured at the first scan, kept
    EXPECT_EQ(entries[1][0], "c.jpg");
    // New files come last, in listing order, not sorted into place.
    EXPECT_EQ(entries[2][0], "0first.jpg");
    EXPECT_EQ(entries[3][0], "e.jpg");
    EXPECT_EQ(entries[3][1], "e");
}

// Sets field k of the entry line whose file name is name.
std::string SetEntryField(const std::string& listText, const std::string& name, size_t k,
                          const std::string& value) {
    std::vector<std::string> lines = Split(listText, '\n');
    for (auto& line : lines) {
        std::vector<std::string> f = Split(line + "\t", '\t');
        if (!f.empty() && f[0] == name) {
            f[k] = value;
            line = Join(f, '\t');
        }
    }
    return Join(lines, '\n') + "\n";
}

TEST_F(AlbumE2E, ResaveAndRefreshKeepNamesThatDifferOnlyInCase) {
    CameraJpeg upper;
    upper.make = "UPPER";
    Photo("IMG_0001.JPG", MakeCameraJpeg(upper));
    CameraJpeg lower;
    lower.make = "lower";
    lower.order = ByteOrder::Little;
    Photo("img_0001.jpg", MakeCameraJpeg(lower));
    ASSERT_EQ(Cli("scan photos -o list.txt").status, 0);
    std::string list = SetEntryField(dir.Read("list.txt"), "IMG_0001.JPG", 1, "Upper title");
    dir.Write("list.txt", SetEntryField(list, "img_0001.jpg", 1, "lower title"));

    auto check = [&](const std::string& file) {
        auto entries = Entries(dir.Read(file));
        ASSERT_EQ(entries.size(), 2u) << file;
        EXPECT_EQ(entries[0][0], "IMG_0001.JPG");
        EXPECT_EQ(entries[0][1], "Upper title");
        EXPECT_EQ(entries[0][7], "UPPER");
        EXPECT_EQ(entries[1][0], "img_0001.jpg");
        EXPECT_EQ(entries[1][1], "lower title");
        EXPECT_EQ(entries[1][7], "lower");
    };
    CliResult resaved = Cli("resave list.txt -o resaved.txt");
    ASSERT_EQ(resaved.status, 0) << resaved.err;
    check("resaved.txt");
    CliResult refreshed = Cli("refresh list.txt");
    ASSERT_EQ(refreshed.status, 0) << refreshed.err;
    check("list.txt");

    // An album written where names ignore case still finds its file, and then names it as
    // it is spelt on disk, so its pages link to it.
    dir.Write("list.txt", SetEntryField(dir.Read("list.txt"), "IMG_0001.JPG", 0, "IMG_0001.jpg"));
    fs::rename(photos + "/img_0001.jpg", photos + "/img_0002.jpg");
    fs::rename(photos + "/IMG_0001.JPG", photos + "/Img_0001.Jpg");
    ASSERT_EQ(Cli("refresh list.txt").status, 0);
    auto entries = Entries(dir.Read("list.txt"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0][0], "Img_0001.Jpg");
    EXPECT_EQ(entries[0][1], "Upper title");
    EXPECT_EQ(entries[1][0], "img_0002.jpg");  // the other entry's file is gone
    EXPECT_EQ(entries[1][1], "img_0002");
}

TEST_F(AlbumE2E, LongFolderPathsAndLongFieldsSurviveTheListFile) {
    // A photo folder deeper than 259 bytes.
    std::string deep = "photos/" + std::string(150, 'd') + "/" + std::string(120, 'e');
    CameraJpeg camera;
    camera.make.clear();
    for (int i = 0; i < 60; ++i) camera.make += "M\n";  // each break is stored as "<br>"
    dir.Write(deep + "/P1.JPG", MakeCameraJpeg(camera));
    CameraPhoto(deep.substr(7) + "/P2.JPG", ByteOrder::Little);
    std::string deepPath = dir.path() + "/" + deep;
    ASSERT_GE(deepPath.size(), 260u);

    CliResult made = Cli("album " + ShellQuote(deep) + " -o album.txt --force");
    ASSERT_EQ(made.status, 0) << made.err;
    std::string list = SetEntryField(dir.Read("album.txt"), "P1.JPG", 1, "kept title");
    dir.Write("album.txt", SetEntryField(list, "P1.JPG", 5, "kept comment"));

    for (const char* command : {"resave album.txt -o album.txt", "refresh album.txt"}) {
        CliResult r = Cli(command);
        ASSERT_EQ(r.status, 0) << command << "\n" << r.err;
        auto entries = Entries(dir.Read("album.txt"));
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0][1], "kept title") << command;
        EXPECT_EQ(entries[0][5], "kept comment") << command;
        EXPECT_EQ(entries[0][7].size(), 300u) << command;
        EXPECT_EQ(entries[0][8], "MIRU DC-200") << command;
        EXPECT_EQ(entries[1][7], "MIRU") << command;
    }
    CliResult gen = Cli("generate album.txt --force");
    ASSERT_EQ(gen.status, 0) << gen.err;
    EXPECT_EQ(gen.out, deepPath + "/index.html\n");
    EXPECT_NE(Slurp(deepPath + "/html/P1.html").find("kept title"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.path() + "/index.html"));
    EXPECT_FALSE(fs::exists(dir.path() + "/list.html"));

    // An album that names no folder is refused, not written into the working directory. (Its
    // entry names a file beside it, so it reads as a list file of the oldest kind.)
    dir.Write("P1.JPG", "");
    dir.Write("nofolder.txt", "P1.JPG\tone\n");
    CliResult refused = Cli("generate nofolder.txt --force");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(
        refused.err.find("ターゲットフォルダが設定されていないため、HTMLページを作成できません"),
        std::string::npos)
        << refused.err;
    EXPECT_EQ(refused.out, "");
    EXPECT_FALSE(fs::exists(dir.path() + "/index.html"));
    EXPECT_FALSE(fs::exists(dir.path() + "/P1.html"));
    dir.Write("nopages.txt", "#[TargetInfo]\t" + photos + "\nP1.JPG\tone\n");
    CliResult noPages = Cli("generate nopages.txt --force");
    EXPECT_EQ(noPages.status, 1);
    EXPECT_NE(noPages.err.find("ページの出力先フォルダが設定されていないため"), std::string::npos)
        << noPages.err;
    EXPECT_FALSE(fs::exists(dir.path() + "/index.html"));
}

TEST_F(AlbumE2E, RerunningAlbumRefreshesItsListFileInsteadOfReplacingIt) {
    CameraPhoto("a.jpg", ByteOrder::Big);
    CameraPhoto("b.jpg", ByteOrder::Little);
    ASSERT_EQ(Cli("album photos").status, 0);
    const std::string listFile = "photos/photos.txt";
    dir.Write(listFile, SetEntryField(dir.Read(listFile), "a.jpg", 1, "typed title"));
    fs::remove(photos + "/b.jpg");
    CameraPhoto("c.jpg", ByteOrder::Big);

    for (const char* args : {"album photos", "album photos --force"}) {
        CliResult again = Cli(args);
        ASSERT_EQ(again.status, 0) << args << "\n" << again.err;
        auto entries = Entries(dir.Read(listFile));
        ASSERT_EQ(entries.size(), 2u) << args;
        EXPECT_EQ(entries[0][0], "a.jpg");
        EXPECT_EQ(entries[0][1], "typed title") << args;
        EXPECT_EQ(entries[1][0], "c.jpg");
        EXPECT_EQ(entries[1][7], "MIRU");  // a new file is captured
    }
    // --force replaced the pages, which now show the typed title.
    EXPECT_NE(Slurp(photos + "/html/a.html").find("typed title"), std::string::npos);

    // A list file of another folder is refused and left as it is.
    std::string theirs = "#[TargetInfo]\t" + dir.path() + "/elsewhere\nx.jpg\ttheirs\n";
    dir.Write("other.txt", theirs);
    CliResult other = Cli("album photos -o other.txt --force");
    EXPECT_EQ(other.status, 1);
    EXPECT_NE(other.err.find("other.txt はこのフォルダのアルバムではありません"), std::string::npos)
        << other.err;
    EXPECT_EQ(dir.Read("other.txt"), theirs);

    // An emptied folder (an unmounted card) does not wipe the list file either.
    std::string before = dir.Read(listFile);
    fs::remove(photos + "/a.jpg");
    fs::remove(photos + "/c.jpg");
    for (const char* args : {"album photos", "album photos --force"}) {
        CliResult emptied = Cli(args);
        EXPECT_EQ(emptied.status, 1) << args;
        EXPECT_EQ(dir.Read(listFile), before) << args;
    }
}

TEST_F(AlbumE2E, NamesWithLineBreaksOrTabsAreSkippedAndCounted) {
    CameraPhoto("a.jpg", ByteOrder::Big);
    CameraPhoto("new\nline.jpg", ByteOrder::Big);
    CameraPhoto("tab\there.jpg", ByteOrder::Little);
    CliResult scanned = Cli("scan photos -o list.txt");
    ASSERT_EQ(scanned.status, 0) << scanned.err;
    // Each file is named on a line of its own, then the counts.
    EXPECT_NE(scanned.err.find("次のファイル 2 件はエントリにできないため読み込みませんでした\n"
                               "  new\\nline.jpg\n  tab\\there.jpg\n（"),
              std::string::npos)
        << scanned.err;
    EXPECT_NE(scanned.err.find("改行やタブを含む名前: 2 件"), std::string::npos) << scanned.err;
    EXPECT_EQ(FileNames("list.txt"), (std::vector<std::string>{"a.jpg"}));

    dir.Write("list.txt", SetEntryField(dir.Read("list.txt"), "a.jpg", 1, "edited"));
    CliResult refreshed = Cli("refresh list.txt");
    ASSERT_EQ(refreshed.status, 0) << refreshed.err;
    auto entries = Entries(dir.Read("list.txt"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0][1], "edited");
}

TEST_F(AlbumE2E, RefreshOfAnEmptiedFolderAsksAndKeepsTheAlbum) {
    CameraPhoto("a.jpg", ByteOrder::Big);
    ASSERT_EQ(Cli("scan photos -o list.txt").status, 0);
    dir.Write("list.txt", SetEntryField(dir.Read("list.txt"), "a.jpg", 1, "edited"));
    std::string before = dir.Read("list.txt");

    // The mount point is still there, the card is not.
    fs::remove(photos + "/a.jpg");
    CliResult refused = Cli("refresh list.txt");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("リストのエントリ 1 件をすべて削除しますか？"), std::string::npos)
        << refused.err;
    EXPECT_EQ(dir.Read("list.txt"), before);

    // No folder at all: an error that changes nothing, --force or not.
    fs::remove(photos);
    for (const char* args : {"refresh list.txt", "refresh list.txt --force"}) {
        CliResult missing = Cli(args);
        EXPECT_EQ(missing.status, 1) << args;
        EXPECT_NE(missing.err.find("指定したフォルダにはファイルが１件もありません"),
                  std::string::npos)
            << missing.err;
        EXPECT_EQ(dir.Read("list.txt"), before) << args;
    }

    fs::create_directory(photos);
    CliResult forced = Cli("refresh list.txt --force");
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_TRUE(FileNames("list.txt").empty());
    EXPECT_EQ(Cli("refresh").status, 2);
    EXPECT_EQ(Cli("refresh list.txt --all").status, 2);
}

TEST_F(AlbumE2E, TheExtensionFilterDecidesWhichFilesBecomeEntries) {
    for (const char* name : {"a.jpg", "b.JPG", "c.jpeg", "d.png", "readme.txt", "README"}) {
        Photo(name, MakeJpeg(8, 8));
    }
    Photo("e.mp4", MakeMp4(1920, 1080));
    // Names Shift-JIS cannot hold, one of them no UTF-8 either.
    for (const char* name : {"\xF0\x9F\x98\x80.jpg", "caf\xC3\xA9.jpg", "bad\xFF.jpg"}) {
        Photo(name, MakeJpeg(8, 8));
    }

    CliResult byDefault = Cli("scan photos -o default.txt");
    ASSERT_EQ(byDefault.status, 0) << byDefault.err;
    // Nobody need wonder where d.png went.
    EXPECT_NE(byDefault.err.find("フィルタで除外: （拡張子なし） 1件, png 1件, txt 1件\n"),
              std::string::npos)
        << byDefault.err;
    // Named as the terminal can show them.
    EXPECT_NE(byDefault.err.find("次のファイル 3 件はエントリにできないため読み込みませんでした\n"
                                 "  bad\\xFF.jpg\n  café.jpg\n  \xF0\x9F\x98\x80.jpg\n"
                                 "（Shift-JIS で表せない文字を含む名前: 3 件、"),
              std::string::npos)
        << byDefault.err;
    // What phones and today's cameras write is taken by default.
    auto entries = Entries(dir.Read("default.txt"));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0][0], "a.jpg");
    EXPECT_EQ(entries[1][0], "b.JPG");
    EXPECT_EQ(entries[1][4], "jpg");
    EXPECT_EQ(entries[2][0] + ":" + entries[2][4], "c.jpeg:jpeg");
    EXPECT_EQ(entries[3][0] + ":" + entries[3][4], "e.mp4:mp4");

    dir.Write("nofilter.ini", "[Environment]\nEnvUseFilter=0\n");
    ASSERT_EQ(Cli("scan photos -o all.txt", "nofilter.ini").status, 0);
    std::vector<std::string> kinds;
    for (const auto& e : Entries(dir.Read("all.txt"))) kinds.push_back(e[0] + ":" + e[4]);
    EXPECT_EQ(kinds, (std::vector<std::string>{"a.jpg:jpg", "b.JPG:jpg", "c.jpeg:jpeg", "d.png:png",
                                               "e.mp4:mp4", "README:", "readme.txt:txt"}));

    // Switching the jpg row off removes every jpg entry at the next refresh. The string was
    // stored before the jpeg and mp4 rows were there: they keep their built-in flags.
    dir.Write("nojpg.ini", "[Environment]\nEnvFilterCheck=0111\nEnvUseFilter=1\n");
    ASSERT_EQ(Cli("refresh all.txt", "nojpg.ini").status, 0);
    EXPECT_EQ(FileNames("all.txt"), (std::vector<std::string>{"c.jpeg", "e.mp4"}));
    // Nothing left to take would remove every entry: that takes --force.
    dir.Write("none.ini", "[Environment]\nEnvFilterCheck=0000000000000\nEnvUseFilter=1\n");
    ASSERT_EQ(Cli("refresh all.txt --force", "none.ini").status, 0);
    EXPECT_TRUE(FileNames("all.txt").empty());
}

// The sample photos as the demo makes their album: every thumbnail copied is shown, the first
// page is a photo, and the detail pages carry the camera data.
TEST_F(AlbumE2E, TheSampleAlbumShowsEveryThumbnailItCopied) {
    fs::create_directories(photos);
    int jpegs = 0;
    for (const auto& f : fs::directory_iterator(MIRULANE_SOURCE_DIR "/samples")) {
        fs::copy_file(f.path(), photos / f.path().filename());
        std::string ext = f.path().extension().string();
        jpegs += ext == ".JPG" || ext == ".jpg";
    }
    ASSERT_EQ(jpegs, 4);
    CliResult made = Cli("album photos --thumbs --force --list-preset 4 --detail-preset 15");
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.err.find("フィルタで除外: md 1件, png 1件, sh 1件"), std::string::npos)
        << made.err;

    std::string list = Slurp(photos + "/html/list.html");
    static const std::regex kImg(R"re(<img src="([^"]*)")re");
    int shown = 0;
    for (std::sregex_iterator it(list.begin(), list.end(), kImg), end; it != end; ++it) {
        std::string src = (*it)[1];
        if (src.empty()) continue;
        EXPECT_EQ(src.rfind("../thumb/", 0), 0u) << src;
        EXPECT_TRUE(fs::is_regular_file(photos + "/html/" + src)) << src;
        ++shown;
    }
    EXPECT_EQ(shown, jpegs + 1) << list;                // and the movie's poster
    EXPECT_NE(list.find("ISO100"), std::string::npos);  // the shooting data beside them

    // The album opens on a photo, not on the movie.
    std::string index = Slurp(photos + "/index.html");
    EXPECT_NE(index.find("\"html/dsc_0104.html\""), std::string::npos) << index;
    EXPECT_NE(Slurp(photos + "/html/IMG_0002.html").find("KAMERA Z5"), std::string::npos);
}

TEST_F(AlbumE2E, UsageAndFailuresGiveTheirExitStatus) {
    EXPECT_EQ(Cli("album").status, 2);
    EXPECT_EQ(Cli("scan photos").status, 2);
    CliResult missing = Cli("album nowhere");
    EXPECT_EQ(missing.status, 1);
    Photo("notes.txt", "nothing the default filter takes");
    CliResult empty = Cli("album photos --force");
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find(
                  "拡張子フィルタを通るファイルが１件もないため、アルバムを作成しませんでした"),
              std::string::npos)
        << empty.err;
    EXPECT_FALSE(fs::exists(photos + "/index.html"));
    EXPECT_EQ(Cli("refresh nothere.txt").status, 1);
}

}  // namespace
