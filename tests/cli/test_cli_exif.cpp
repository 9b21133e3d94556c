// mirulane-cli exif and thumbs as processes: whole outputs and exit statuses.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "album/album.h"
#include "album/album_file.h"
#include "fixtures/cli_runner.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "fixtures/movie_builder.h"
#include "fixtures/picture_builder.h"
#include "platform/text.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

class CliExifTest : public ::testing::Test {
  protected:
    fixtures::CliResult Cli(const std::string& args) {
        return fixtures::RunCli(MIRULANE_CLI_PATH, "--profile p.ini " + args, dir.path());
    }
    fixtures::TempDir dir;
};

TEST_F(CliExifTest, PreviewTableAndFields) {
    dir.Write("p.ini", "[Environment]\nEnvExifFlash=2\nEnvExifDtorg=0\n");
    dir.Write("IMG_0001.JPG", fixtures::MakeCameraJpeg({.order = fixtures::ByteOrder::Little}));
    dir.Write("plain.jpg", fixtures::MakeJpeg(64, 48));

    fixtures::CliResult one = Cli("exif IMG_0001.JPG");
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out,
              "メーカー\tMIRU\n"
              "モデル\tMIRU DC-200\n"
              "画像データの起点\t正位置 (1)\n"
              "横方向の分解能\t180 (180/1)\n"
              "縦方向の分解能\t180 (180/1)\n"
              "分解能の単位\tinch (2)\n"
              "日付と時刻\t2004:05:01 12:34:56\n"
              "色情報サンプルポイント\t1\n"
              "露光時間\t1/60 (1/60)\n"
              "F値\t2.8 (28/10)\n"
              "CCD感度のISO換算値\t100\n"
              "オリジナル撮影日時\t2004:05:01 12:34:56\n"
              "デジタル化した日時\t2004:05:01 12:34:56\n"
              "露光補正量\t-0.7 (-2/3)\n"
              "測光モード\tパターン (5)\n"
              "フラッシュ\t発光あり(自動モード),赤目軽減機能付き (89)\n"
              "レンズの焦点距離\t35 (35/1)\n"
              "色空間\tsRGB (1)\n"
              "メイン画像の幅\t2048\n"
              "メイン画像の高さ\t1536\n");

    fixtures::CliResult two = Cli("exif plain.jpg IMG_0001.JPG");
    EXPECT_EQ(two.status, 1);
    EXPECT_EQ(two.out, "plain.jpg:\n\nIMG_0001.JPG:\n" + one.out);
    EXPECT_NE(two.err.find("plain.jpg: Exif情報がありません"), std::string::npos) << two.err;

    fixtures::CliResult fields = Cli("exif --fields IMG_0001.JPG " + dir.path() + "/IMG_0001.JPG");
    EXPECT_EQ(fields.status, 0) << fields.err;
    const std::string row =
        "MIRU\tMIRU DC-200\t2004/05/01 12:34:56\tISO100\t1/60秒\tF2.8\t35mm\t"
        "発光あり(自動モード),赤目軽減機能付き\t-0.7EV\t2048 x 1536\n";
    EXPECT_EQ(fields.out, row + row);

    EXPECT_EQ(Cli("exif").status, 2);
    EXPECT_EQ(Cli("exif --fields").status, 2);
    EXPECT_EQ(Cli("exif nothere.jpg").status, 1);
}

TEST_F(CliExifTest, ThumbsOverAnAlbum) {
    dir.Write("p.ini", "[Environment]\n");
    dir.Write("photos/IMG_0001.JPG", fixtures::MakeCameraJpeg());
    ASSERT_TRUE(fixtures::WriteClip(dir.path() + "/photos/movie.avi", {}));
    dir.Write("photos/scan.png", fixtures::MakePicture(fixtures::PictureFormat::Png, 200, 150));
    Album album;
    album.style.TargetFolder = dir.path() + "/photos";
    album.style.ThumbFolder = dir.path() + "/thumbs";
    album.entries.Append("IMG_0001.JPG");
    album.entries.Append("movie.avi");
    album.entries.Append("scan.png");
    dir.Write("album.txt", ToCrLf(AlbumFileText(album)));

    // --exif-only copies the Exif thumbnail only; by default the PNG gets one made.
    fixtures::CliResult run = Cli("thumbs album.txt --exif-only");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("エントリ 3件のうち、1件のサムネイル抽出に成功しました\n"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/thumbs/scan.png"));
    run = Cli("thumbs album.txt --force");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err,
              "[サムネイル抽出結果] エントリ 3件のうち、1件を抽出、2件を縮小作成しました\n"
              "書き込み: 2件\n変更なし: 1件\n保持（手で編集されたファイル）: 0件\n"
              "保持（このプログラムが作成していないファイル）: 0件\n");
    EXPECT_EQ(dir.Read("thumbs/IMG_0001.JPG"), fixtures::MakeThumbnailJpeg());
    auto made = fixtures::DecodePicture(dir.Read("thumbs/scan.png"));
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->jpeg);

    // Without a terminal and without --force the existing thumbnail is kept.
    dir.Write("thumbs/IMG_0001.JPG", "old");
    run = Cli("thumbs album.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(dir.Read("thumbs/IMG_0001.JPG"), "old");
    EXPECT_NE(run.err.find("0件を抽出、2件を縮小作成しました"), std::string::npos) << run.err;
    run = Cli("thumbs album.txt --force");
    EXPECT_EQ(dir.Read("thumbs/IMG_0001.JPG"), fixtures::MakeThumbnailJpeg());

    const std::string listed = dir.Read("album.txt");
    run = Cli("thumbs album.txt --to other");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.Read("other/IMG_0001.JPG"), fixtures::MakeThumbnailJpeg());
    EXPECT_EQ(dir.Read("album.txt"), listed);  // without --save the album keeps its folder

    run = Cli("thumbs album.txt --to " + dir.path() + "/photos/");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("サムネイルの出力先は、ターゲットとは別の場所を指定してください"),
              std::string::npos);
    EXPECT_EQ(Cli("thumbs").status, 2);
    EXPECT_EQ(Cli("thumbs album.txt --to").status, 2);
}

// thumbs --to FOLDER --save makes FOLDER the album's thumbnail folder in its list file (as the
// extraction dialog stores it in the album), so a later generate finds the thumbnails there.
TEST_F(CliExifTest, ThumbsSaveStoresTheNewFolderInTheAlbum) {
    dir.Write("photos/IMG_0001.JPG", fixtures::MakeCameraJpeg());
    Album album;
    album.style.TargetFolder = dir.path() + "/photos";
    album.style.ThumbFolder = dir.path() + "/thumbs";
    album.entries.Append("IMG_0001.JPG");
    dir.Write("album.txt", ToCrLf(AlbumFileText(album)));
    const std::string listed = dir.Read("album.txt");

    EXPECT_EQ(Cli("thumbs album.txt --save").status, 2);  // nothing new to store
    // A folder the run refuses is not stored either.
    EXPECT_EQ(Cli("thumbs album.txt --to photos --save").status, 1);
    EXPECT_EQ(dir.Read("album.txt"), listed);

    fixtures::CliResult run = Cli("thumbs album.txt --to small --save");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.Read("small/IMG_0001.JPG"), fixtures::MakeThumbnailJpeg());
    ScriptedInteraction ui;
    Album saved;
    ASSERT_EQ(
        ReadAlbumFile(saved, dir.path() + "/album.txt", nullptr).value_or({.entries = -1}).entries,
        1);
    EXPECT_EQ(saved.style.ThumbFolder, dir.path() + "/small");  // absolute, as the album keeps
    EXPECT_EQ(saved.style.TargetFolder, album.style.TargetFolder);
}

}  // namespace
}  // namespace mirulane
