// Generated files through mirulane-cli, where writing them can go wrong: links and other
// names of the photos in the output folders, a run killed half way, a full disk, and
// thumbnails that cannot be written or are empty.

#include <csignal>
#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "fixtures/cli_runner.h"
#include "fixtures/exif_builder.h"
#include "fixtures/fault_injection.h"
#include "fixtures/image_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace mirulane::fixtures;

class GeneratedFilesE2E : public ::testing::Test {
  protected:
    GeneratedFilesE2E() {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            dir.Write(std::string("photos/") + name, photo);
        EXPECT_EQ(Cli("scan photos -o album.txt").status, 0);
    }
    std::string Command(const std::string& args) const {
        return ShellQuote(MIRULANE_CLI_PATH) + " --profile none.ini " + args;
    }
    CliResult Cli(const std::string& args) const {
        return RunCli(MIRULANE_CLI_PATH, "--profile none.ini " + args, dir.path());
    }
    // Runs the command under a limit on the size of the files it writes (in 512-byte blocks);
    // a write past it kills the command (SIGXFSZ), as a kill at that moment would.
    CliResult Killed(int blocks, const std::string& args) const {
        return RunCli("/bin/sh",
                      "-c " + ShellQuote("ulimit -f " + std::to_string(blocks) + "; exec " +
                                         Command(args) + " >/dev/null 2>&1"),
                      dir.path());
    }
    // Runs the command on a full disk: every byte written to a file fails (EFBIG). Its
    // messages and "exit=STATUS" come back in out.
    CliResult OnFullDisk(const std::string& args) const {
        return RunCli("/bin/sh",
                      "-c " + ShellQuote("{ (trap '' XFSZ; ulimit -f 0; exec " + Command(args) +
                                         ") 2>&1; echo \"exit=$?\"; } | cat"),
                      dir.path());
    }
    bool PhotosUntouched() const {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
            if (dir.Read(std::string("photos/") + name) != photo) return false;
        }
        return true;
    }
    // Every file of the album's output folders but the photos and the record of what was
    // written there, by name, with its contents.
    std::map<std::string, std::string> Pages() const {
        std::map<std::string, std::string> pages;
        for (const char* folder : {"photos", "photos/html"}) {
            if (!fs::exists(dir.path() + "/" + folder)) continue;
            for (const auto& e : fs::directory_iterator(dir.path() + "/" + folder)) {
                std::string name = e.path().filename().string();
                if (e.is_regular_file() && name.find(".jpg") == std::string::npos &&
                    name != ".mirulane-manifest" && name != ".mirulane-manifest-journal") {
                    pages[std::string(folder) + "/" + name] =
                        dir.Read(std::string(folder) + "/" + name);
                }
            }
        }
        return pages;
    }

    TempDir dir;
    const std::string photo = MakeCameraJpeg();
};

TEST_F(GeneratedFilesE2E, LinksToThePhotosAndOtherNamesOfThemAreKept) {
    // The thumbnail folder made with "ln -s ../photos/* thumbs/": links are never the
    // program's, so even --force keeps them (only an answer on a terminal replaces one).
    fs::create_directory(dir.path() + "/thumbs");
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        fs::create_symlink(std::string("../photos/") + name, dir.path() + "/thumbs/" + name);
    }
    CliResult thumbs = Cli("thumbs album.txt --to thumbs --force");
    EXPECT_EQ(thumbs.status, 0) << thumbs.err;
    EXPECT_TRUE(PhotosUntouched());
    EXPECT_TRUE(fs::is_symlink(dir.path() + "/thumbs/b.jpg"));
    EXPECT_NE(thumbs.err.find("保持（このプログラムが作成していないファイル）: 3件"),
              std::string::npos)
        << thumbs.err;

    // A hard link to a photo is another name of it: kept, said, and a failure.
    fs::remove(dir.path() + "/thumbs/c.jpg");
    fs::create_hard_link(dir.path() + "/photos/c.jpg", dir.path() + "/thumbs/c.jpg");
    thumbs = Cli("thumbs album.txt --to thumbs --force");
    EXPECT_EQ(thumbs.status, 1);
    EXPECT_NE(thumbs.err.find("thumbs/c.jpg)はターゲット画像と同じファイルなので書き込みません"),
              std::string::npos)
        << thumbs.err;
    EXPECT_TRUE(PhotosUntouched());

    // The same for pages.
    fs::create_directory(dir.path() + "/photos/html");
    fs::create_symlink("../a.jpg", dir.path() + "/photos/html/a.html");
    CliResult pages = Cli("generate album.txt --force");
    EXPECT_EQ(pages.status, 0) << pages.err;
    EXPECT_TRUE(fs::is_symlink(dir.path() + "/photos/html/a.html"));
    fs::remove(dir.path() + "/photos/html/b.html");
    fs::create_hard_link(dir.path() + "/photos/b.jpg", dir.path() + "/photos/html/b.html");
    pages = Cli("generate album.txt --force");
    EXPECT_EQ(pages.status, 1);
    EXPECT_NE(pages.err.find("b.html)はターゲット画像と同じファイルなので書き込みません"),
              std::string::npos)
        << pages.err;
    EXPECT_TRUE(PhotosUntouched());
}

TEST_F(GeneratedFilesE2E, AKilledRunLeavesNoPartialPageAndTheNextRunFinishesTheAlbum) {
    // The busiest detail preset makes the detail pages larger than 512 bytes, the other
    // pages are smaller.
    std::string list = dir.Read("album.txt");
    size_t style = list.find("#[DetailPageStyle]");
    ASSERT_NE(style, std::string::npos);
    size_t field = style;
    for (int i = 0; i < 9; ++i) field = list.find('\t', field) + 1;
    list.replace(field, list.find_first_of("\t\r", field) - field, "12");
    dir.Write("album.txt", list);
    ASSERT_EQ(Cli("generate album.txt --force").status, 0);
    const std::map<std::string, std::string> complete = Pages();
    ASSERT_EQ(complete.size(), 5u);  // index.html, list.html and three detail pages
    ASSERT_LT(complete.at("photos/html/list.html").size(), 512u);
    ASSERT_GT(complete.at("photos/html/a.html").size(), 512u);

    // Killed while writing the first page (index.html), then the first detail page.
    for (int blocks : {0, 1}) {
        fs::remove_all(dir.path() + "/photos/html");
        fs::remove(dir.path() + "/photos/index.html");
        ASSERT_EQ(Killed(blocks, "generate album.txt --force").status, 128 + SIGXFSZ);
        // No partial page: only complete ones, and the killed run's temporary file.
        size_t pages = 0;
        for (const auto& [name, text] : Pages()) {
            if (name.find("/.mrl-") != std::string::npos) continue;
            ++pages;
            EXPECT_EQ(text, complete.count(name) ? complete.at(name) : "?") << name;
        }
        EXPECT_EQ(pages, blocks == 0 ? 0u : 2u);

        // A run without --force keeps the pages that are there and writes the missing ones,
        // and it removes the temporary file the killed run left.
        CliResult next = Cli("generate album.txt");
        EXPECT_EQ(next.status, 0) << next.err;
        EXPECT_EQ(Pages(), complete);
    }
}

TEST_F(GeneratedFilesE2E, APageThatCannotBeCreatedOnAFullDiskIsNotReportedAsAWriteFailure) {
    CliResult full =
        RunCliFailingCreation(MIRULANE_CLI_PATH, "--profile none.ini generate album.txt --force",
                              dir.path(), 28 /* ENOSPC */);
    if (full.status == 126) GTEST_SKIP() << "file creation cannot be made to fail here";
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(
        full.err.find("トップページを開けません (errno=28)\n" + dir.path() + "/photos/index.html"),
        std::string::npos)
        << full.err;
    EXPECT_EQ(full.err.find("書き込めません"), std::string::npos) << full.err;
}

TEST_F(GeneratedFilesE2E, ThumbnailsThatCannotBeWrittenFailTheCommand) {
    // A full disk: every thumbnail write fails.
    CliResult full = OnFullDisk("thumbs album.txt --force");
    EXPECT_NE(full.out.find("の出力に失敗しました[27]"), std::string::npos) << full.out;
    EXPECT_NE(full.out.find("3件のうち、0件を抽出、0件を縮小作成しました"), std::string::npos);
    EXPECT_NE(full.out.find("exit=1"), std::string::npos) << full.out;

    // album --thumbs writes the album but fails when no thumbnail could be created.
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        fs::create_directories(dir.path() + "/photos/thumb/" + name);
    }
    CliResult album = Cli("album photos -o album2.txt --thumbs --force");
    EXPECT_EQ(album.status, 1);
    EXPECT_NE(album.err.find("thumb/a.jpg)を作成できません[21]"), std::string::npos) << album.err;
    EXPECT_TRUE(fs::exists(dir.path() + "/album2.txt"));
    EXPECT_TRUE(fs::exists(dir.path() + "/photos/html/a.html"));

    // A photo without a thumbnail to extract that cannot be decoded either is named with its
    // reason, and fails the command once the album is written.
    dir.Write("plain/p.jpg", MakeJpeg(64, 48));
    dir.Write("plain/q.jpg", "not a picture\n");
    CliResult plain = Cli("album plain -o plain.txt --thumbs --force");
    EXPECT_EQ(plain.status, 1) << plain.err;
    EXPECT_NE(plain.err.find("2件のうち、0件を抽出、0件を縮小作成しました\n\n"
                             "次の 2件はサムネイルを作成できませんでした:\n"
                             "p.jpg: 画像が壊れています\n"
                             "q.jpg: 拡張子の示す種類の画像ではありません"),
              std::string::npos)
        << plain.err;
    EXPECT_TRUE(fs::exists(dir.path() + "/plain.txt"));
    EXPECT_TRUE(fs::exists(dir.path() + "/plain/html/p.html"));
}

TEST_F(GeneratedFilesE2E, AnEmptyThumbnailIsNotWritten) {
    ExifLayout layout = CameraLayout({});
    layout.chain[1].Field({0x0202, 4, 1, 4, {}, 0});  // JPEGInterchangeFormatLength 0
    dir.Write("photos/a.jpg", JpegOf({App1Exif(layout)}));
    CliResult r = Cli("thumbs album.txt --to thumbs --force --exif-only");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() + "/thumbs/a.jpg"));
    EXPECT_TRUE(fs::exists(dir.path() + "/thumbs/b.jpg"));
    EXPECT_NE(r.err.find("3件のうち、2件のサムネイル抽出に成功しました"), std::string::npos)
        << r.err;
}

}  // namespace
