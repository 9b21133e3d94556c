// The thumbnail extraction run and its write step: files written, questions asked, progress
// reported, messages shown.

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "album/media.h"
#include "app/session.h"
#include "app/thumbnail_run.h"
#include "app/thumbnail_step.h"
#include "fixtures/exif_builder.h"
#include "fixtures/fault_injection.h"
#include "fixtures/image_builder.h"
#include "fixtures/picture_builder.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

namespace fs = std::filesystem;

class ThumbnailRunTest : public ::testing::Test {
  protected:
    ThumbnailRunTest() : session(ui) {
        target = dir.path() + "/photos";
        output = dir.path() + "/thumbs";
        fs::create_directory(target);
    }

    void AddFile(const std::string& name, const std::string& bytes) {
        dir.Write("photos/" + name, bytes);
        session.album.entries.Append(name);
    }
    ThumbnailRunResult Run(bool selectedOnly = false) {
        ThumbnailRunRequest request{target, output, selectedOnly};
        return RunThumbnailExtraction(session, request);
    }
    std::string Thumb(const std::string& name) {
        fs::path p = fs::path(output) / name;
        return fs::exists(p) ? dir.Read("thumbs/" + name) : "<none>";
    }

    fixtures::TempDir dir;
    ScriptedInteraction ui;
    Session session;
    std::string target;
    std::string output;
    const std::string thumbnail = fixtures::MakeThumbnailJpeg();
};

TEST_F(ThumbnailRunTest, TenEntriesSevenWithThumbnails) {
    for (int i = 1; i <= 7; ++i) {
        fixtures::CameraJpeg c;
        c.order = i % 2 ? fixtures::ByteOrder::Big : fixtures::ByteOrder::Little;
        c.jfif = i == 3;
        AddFile("IMG_000" + std::to_string(i) + ".JPG", fixtures::MakeCameraJpeg(c));
    }
    AddFile("plain1.jpg", fixtures::MakeJpeg(64, 48));
    AddFile("plain2.jpg", fixtures::MakeJpeg(64, 48));
    AddFile("picture.png", fixtures::MakePng(64, 48));

    ThumbnailRunRequest request{target, output + "/", false};
    ThumbnailRunResult r = RunThumbnailExtraction(session, request);
    EXPECT_EQ(r.status, ThumbnailRunStatus::Done);
    EXPECT_EQ(r.processed, 10);
    EXPECT_EQ(r.succeeded, 7);
    EXPECT_FALSE(r.cancelled);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.MessagesUtf8()[0], "エントリ 10件のうち、7件のサムネイル抽出に成功しました");
    EXPECT_EQ(ToDisplay(ui.messages[0].caption), "サムネイル抽出結果");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
    const auto& progress = ui.progress;
    EXPECT_EQ(progress.size(), 11u);
    EXPECT_EQ(progress.front(), std::make_pair(0, 10));
    EXPECT_EQ(progress.back(), std::make_pair(10, 10));
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(Thumb("IMG_000" + std::to_string(i) + ".JPG"), thumbnail);
    EXPECT_EQ(Thumb("plain1.jpg"), "<none>");
    EXPECT_EQ(Thumb("picture.png"), "<none>");

    // Only the selected entries, all answered "overwrite all" by the profile.
    session.settings.EnvForceOverWrite = 1;
    session.album.entries.Select(1);
    session.album.entries.Select(7);
    session.album.entries.Select(9);
    ui.messages.clear();
    r = Run(true);
    EXPECT_EQ(r.processed, 3);
    EXPECT_EQ(r.succeeded, 1);
    EXPECT_TRUE(ui.overwriteAsked.empty());
    EXPECT_EQ(ui.MessagesUtf8(), std::vector<std::string>{
                                     "選択エントリ 3件のうち、1件のサムネイル抽出に成功しました"});
}

// Pictures without an embedded thumbnail get one made from their pixels when asked, fitting
// the list page's box, upright; embedded ones are still copied byte for byte; a picture that
// does not decode is a failure and the run goes on.
TEST_F(ThumbnailRunTest, MakesThumbnailsForPicturesWithoutOne) {
    using fixtures::PictureFormat;
    AddFile("IMG_0001.JPG", fixtures::MakeCameraJpeg({}));
    // 200 x 100, to be turned a quarter: it stands 100 x 200.
    AddFile("edited.jpg", fixtures::MakePicture(PictureFormat::Jpeg, 200, 100, 6));
    AddFile("scan.png", fixtures::MakePicture(PictureFormat::Png, 300, 150, 1, true));
    AddFile("small.png", fixtures::MakePicture(PictureFormat::Png, 40, 30));
    AddFile("broken.jpg", fixtures::MakeJpeg(640, 480));
    AddFile("movie.avi", fixtures::MakeAvi(320, 240));
    session.album.style.ThumbSizeMode = SizeMode::Fit;
    session.album.style.ThumbFitWidth = 94;
    session.album.style.ThumbFitHeight = 94;

    // Off: only the embedded thumbnail, and the message of old.
    ThumbnailRunResult r = Run();
    EXPECT_EQ(r.succeeded, 1);
    EXPECT_EQ(r.made, 0);
    EXPECT_EQ(Thumb("edited.jpg"), "<none>");
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"エントリ 6件のうち、1件のサムネイル抽出に成功しました"});

    ui.messages.clear();
    session.settings.EnvForceOverWrite = 1;
    ThumbnailRunRequest request{target, output, false, true};
    r = RunThumbnailExtraction(session, request);
    EXPECT_EQ(r.processed, 6);
    EXPECT_EQ(r.succeeded, 4);
    EXPECT_EQ(r.made, 3);
    EXPECT_EQ(r.writeFailed, 0);
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"エントリ 6件のうち、1件を抽出、3件を縮小作成しました\n\n"
                                       "次の 2件はサムネイルを作成できませんでした:\n"
                                       "broken.jpg: 画像が壊れています\n"
                                       "movie.avi: 動画が壊れています"});
    EXPECT_EQ(Thumb("IMG_0001.JPG"), thumbnail);
    auto expectJpeg = [&](const std::string& name, int width, int height) {
        SCOPED_TRACE(name);
        auto d = fixtures::DecodePicture(Thumb(name));
        ASSERT_TRUE(d);
        EXPECT_TRUE(d->jpeg);
        EXPECT_EQ(d->width, width);
        EXPECT_EQ(d->height, height);
        EXPECT_EQ(d->bands, 3);
    };
    expectJpeg("edited.jpg", 47, 94);
    expectJpeg("scan.png", 94, 47);
    expectJpeg("small.png", 40, 30);  // never enlarged
    EXPECT_EQ(Thumb("broken.jpg"), "<none>");
    EXPECT_EQ(Thumb("movie.avi"), "<none>");

    // A list page that does not fit its thumbnails to a box gets a camera's 160 x 120.
    session.album.style.ThumbSizeMode = SizeMode::Scale;
    session.album.entries.Select(2);
    ui.messages.clear();
    request.selectedOnly = true;
    r = RunThumbnailExtraction(session, request);
    EXPECT_EQ(r.made, 1);
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"選択エントリ 1件のうち、0件を抽出、1件を縮小作成しました"});
    expectJpeg("scan.png", 160, 80);
}

// Every picture that should have had a thumbnail made and gave none is named with its reason
// and counted, whatever the decoder made of it: nothing is passed over without a word.
TEST_F(ThumbnailRunTest, PicturesWithoutAMadeThumbnailAreNamedWithTheirReason) {
    using fixtures::PictureFormat;
    AddFile("good.jpg", fixtures::MakePicture(PictureFormat::Jpeg, 64, 48));
    std::string whole = fixtures::MakePicture(PictureFormat::Jpeg, 640, 480);
    AddFile("cut.jpg", whole.substr(0, whole.size() / 3));
    AddFile("notes.jpg", "shopping list: eggs, milk\n");
    AddFile("page.jpg", "%!PS-Adobe-3.0\n/Times findfont 12 scalefont setfont\nshowpage\n");
    // A GIF whose logical screen says 65535 x 65535: refused from its header.
    AddFile("bomb.gif", std::string("GIF89a\xff\xff\xff\xff\x00\x00\x00", 13) +
                            std::string("\x2c\0\0\0\0\xff\xff\xff\xff\0\x02\x02\x44\x01\0;", 16));
    ThumbnailRunResult r = RunThumbnailExtraction(session, {target, output, false, true});
    EXPECT_EQ(r.made, 1);
    ASSERT_EQ(r.pictureFailures.size(), 4u);
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"エントリ 5件のうち、0件を抽出、1件を縮小作成しました\n\n"
                                       "次の 4件はサムネイルを作成できませんでした:\n"
                                       "cut.jpg: 画像が壊れています\n"
                                       "notes.jpg: 拡張子の示す種類の画像ではありません\n"
                                       "page.jpg: 拡張子の示す種類の画像ではありません\n"
                                       "bomb.gif: 画像が大きすぎます"});
    for (const char* name : {"cut.jpg", "notes.jpg", "page.jpg", "bomb.gif"}) {
        EXPECT_EQ(Thumb(name), "<none>") << name;
    }
}

// A rerun makes again only the thumbnails whose picture changed: an unchanged picture is not
// decoded again (here its bytes are swapped for a damaged picture of the same size and time,
// which a decode would refuse), a replaced one gets a new thumbnail at once.
TEST_F(ThumbnailRunTest, ARerunMakesOnlyTheThumbnailsOfPicturesThatChanged) {
    using fixtures::PictureFormat;
    AddFile("kept.png", fixtures::MakePicture(PictureFormat::Png, 200, 100));
    AddFile("swapped.png", fixtures::MakePicture(PictureFormat::Png, 100, 200));
    ThumbnailRunRequest request{target, output, false, true};
    ASSERT_EQ(RunThumbnailExtraction(session, request).made, 2);
    const std::string keptThumb = Thumb("kept.png");

    const std::string keptPath = target + "/kept.png";
    const auto keptTime = fs::last_write_time(keptPath);
    dir.Write("photos/kept.png", std::string(fs::file_size(keptPath), 'x'));
    fs::last_write_time(keptPath, keptTime);
    dir.Write("photos/swapped.png", fixtures::MakePicture(PictureFormat::Png, 200, 50));
    fs::last_write_time(target + "/swapped.png", keptTime + std::chrono::seconds(5));

    ui.messages.clear();
    ThumbnailRunResult r = RunThumbnailExtraction(session, request);
    EXPECT_EQ(r.made, 2);
    EXPECT_TRUE(r.pictureFailures.empty());
    EXPECT_EQ(Thumb("kept.png"), keptThumb);
    auto swapped = fixtures::DecodePicture(Thumb("swapped.png"));
    ASSERT_TRUE(swapped);
    EXPECT_EQ(swapped->width, 94);
    EXPECT_EQ(swapped->height, 24);
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"エントリ 2件のうち、0件を抽出、2件を縮小作成しました"});
}

// GIF and BMP pictures (scans, old exports) get thumbnails made too.
TEST_F(ThumbnailRunTest, MakesThumbnailsForGifAndBmpPictures) {
    // A 1 x 1 GIF, LZW-coded, with a white pixel.
    AddFile("dot.gif", std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                                   "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00"
                                   "\x01\x00\x00\x02\x02D\x01\x00;",
                                   43));
    // A 4 x 2 BMP of 24-bit pixels, rows padded to 4 bytes, bottom row first.
    std::string bmp = fixtures::MakeBmp(4, 2);
    const uint32_t pixels = 2 * 12;
    bmp[2] = static_cast<char>(54 + pixels);
    bmp[34] = static_cast<char>(pixels);
    bmp += std::string(pixels, '\x80');
    AddFile("scan.bmp", bmp);
    session.album.style.ThumbSizeMode = SizeMode::Fit;
    session.album.style.ThumbFitWidth = 94;
    session.album.style.ThumbFitHeight = 94;
    ThumbnailRunRequest request{target, output, false, true};
    ThumbnailRunResult r = RunThumbnailExtraction(session, request);
    EXPECT_EQ(r.made, 2);
    for (auto [name, width, height] : {std::tuple{"dot.gif", 1, 1}, std::tuple{"scan.bmp", 4, 2}}) {
        SCOPED_TRACE(name);
        auto d = fixtures::DecodePicture(Thumb(name));
        ASSERT_TRUE(d);
        EXPECT_TRUE(d->jpeg);
        EXPECT_EQ(d->width, width);
        EXPECT_EQ(d->height, height);
    }
}

// A thumbnail carries no orientation of its own: that of a portrait photo would show on its
// side unless it is given the photo's. Its own bytes are never re-encoded.
TEST_F(ThumbnailRunTest, ThumbnailsOfTurnedPhotosCarryThePhotosOrientation) {
    for (auto order : {fixtures::ByteOrder::Little, fixtures::ByteOrder::Big}) {
        for (uint16_t o = 1; o <= 8; ++o) {
            fixtures::CameraJpeg c;
            c.order = order;
            c.orientation = o;
            AddFile("P" + std::to_string(static_cast<int>(order)) + std::to_string(o) + ".JPG",
                    fixtures::MakeCameraJpeg(c));
        }
    }
    EXPECT_EQ(Run().succeeded, 16);
    for (auto order : {fixtures::ByteOrder::Little, fixtures::ByteOrder::Big}) {
        for (uint16_t o = 1; o <= 8; ++o) {
            SCOPED_TRACE(::testing::Message() << "order " << static_cast<int>(order) << " o " << o);
            std::string written =
                Thumb("P" + std::to_string(static_cast<int>(order)) + std::to_string(o) + ".JPG");
            if (o == 1) {
                EXPECT_EQ(written, thumbnail);
                continue;
            }
            // SOI, a 36-byte Exif segment, then the thumbnail after its own SOI.
            ASSERT_EQ(written.size(), thumbnail.size() + 36);
            EXPECT_EQ(written.substr(0, 4), "\xFF\xD8\xFF\xE1");
            EXPECT_EQ(written.substr(38), thumbnail.substr(2));
            PixelSize size;
            ASSERT_EQ(ParseJpegSize(written, size), 0);
            EXPECT_EQ(size.width, 160u);
            EXPECT_EQ(size.height, 120u);
            EXPECT_EQ(size.orientation, o);
        }
    }
}

TEST_F(ThumbnailRunTest, ThumbnailsThatAreNotJpegOrLieOutsideAreNotWritten) {
    fixtures::CameraJpeg raw;
    raw.thumbCompression = 1;
    AddFile("raw.jpg", fixtures::MakeCameraJpeg(raw));
    // The same file with the thumbnail's length or start changed to reach outside.
    for (uint32_t length : {0xFFFFFFFFu, 100000u}) {
        fixtures::ExifLayout layout = fixtures::CameraLayout({});
        layout.chain[1].Field({0x0202, 4, 1, 4, {}, length});
        AddFile("len" + std::to_string(length) + ".jpg",
                fixtures::JpegOf({fixtures::App1Exif(layout)}));
    }
    fixtures::ExifLayout far = fixtures::CameraLayout({});
    far.chain[1].Field({0x0201, 4, 1, 4, {}, 0xFFFFFF00u});
    AddFile("far.jpg", fixtures::JpegOf({fixtures::App1Exif(far)}));
    // A name that would lead out of the output folder.
    dir.Write("escape.jpg", fixtures::MakeCameraJpeg());
    session.album.entries.Append("../escape.jpg");

    session.settings.EnvForceOverWrite = 1;  // nothing would stop a write but the checks
    ThumbnailRunResult r = Run();
    EXPECT_EQ(r.processed, 5);
    EXPECT_EQ(r.succeeded, 0);
    EXPECT_TRUE(fs::is_empty(output));
    EXPECT_EQ(dir.Read("escape.jpg"), fixtures::MakeCameraJpeg());
    EXPECT_EQ(ui.MessagesUtf8(),
              std::vector<std::string>{"エントリ 5件のうち、0件のサムネイル抽出に成功しました"});
}

TEST_F(ThumbnailRunTest, OverwriteQuestions) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) {
        AddFile(name, fixtures::MakeCameraJpeg());
    }
    fs::create_directory(output);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) {
        dir.Write(std::string("thumbs/") + name, "old");
    }
    // yes, no, then overwrite all, which answers for the program's own thumbnails only: d,
    // which it never wrote, is still asked about.
    ui.overwriteAnswers = {OverwriteAnswer::Yes, OverwriteAnswer::No, OverwriteAnswer::All,
                           OverwriteAnswer::Yes};
    ThumbnailRunResult r = Run();
    EXPECT_EQ(r.succeeded, 3);
    EXPECT_EQ(ui.overwriteAsked, (std::vector<std::string>{output + "/a.jpg", output + "/b.jpg",
                                                           output + "/c.jpg", output + "/d.jpg"}));
    EXPECT_EQ(Thumb("a.jpg"), thumbnail);
    EXPECT_EQ(Thumb("b.jpg"), "old");
    EXPECT_EQ(Thumb("c.jpg"), thumbnail);
    EXPECT_EQ(Thumb("d.jpg"), thumbnail);

    // The next run starts the flag from the profile again; cancel stops it without a summary.
    dir.Write("thumbs/a.jpg", "old");
    dir.Write("thumbs/b.jpg", "old");
    ui.overwriteAsked.clear();
    ui.messages.clear();
    ui.overwriteAnswers = {OverwriteAnswer::Cancel};
    r = Run();
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.processed, 1);
    EXPECT_EQ(ui.overwriteAsked.size(), 1u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Thumb("a.jpg"), "old");
    EXPECT_EQ(Thumb("b.jpg"), "old");
}

TEST_F(ThumbnailRunTest, OutputFolderChecks) {
    AddFile("a.jpg", fixtures::MakeCameraJpeg());
    const std::string refused = "サムネイルの出力先は、ターゲットとは別の場所を指定してください";
    for (const std::string& same : {target, target + "/", target + "/.", target + "//"}) {
        output = same;
        ui.messages.clear();
        ThumbnailRunResult r = Run();
        EXPECT_EQ(r.status, ThumbnailRunStatus::OutputIsTarget) << same;
        EXPECT_EQ(ui.MessagesUtf8(), std::vector<std::string>{refused});
        EXPECT_EQ(ToDisplay(ui.messages[0].caption), "サムネイルの出力先エラー");
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(dir.Read("photos/a.jpg"), fixtures::MakeCameraJpeg());

    // A file stands where a folder of the path should be.
    dir.Write("blocker", "x");
    output = dir.path() + "/blocker/thumbs";
    ui.messages.clear();
    EXPECT_EQ(Run().status, ThumbnailRunStatus::NoOutputFolder);
    EXPECT_EQ(ui.MessagesUtf8(), std::vector<std::string>{
                                     "サムネイル出力先フォルダを作成できません\n" + output + "/"});

    // A folder where the thumbnail file should go cannot be replaced by it.
    output = dir.path() + "/thumbs";
    fs::create_directories(output + "/a.jpg");
    session.settings.EnvForceOverWrite = 1;
    ui.messages.clear();
    ThumbnailRunResult r = Run();
    EXPECT_EQ(r.succeeded, 0);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.MessagesUtf8()[0], "サムネイル(" + output + "/a.jpg)を作成できません[21]");
    EXPECT_EQ(ui.MessagesUtf8()[1], "エントリ 1件のうち、0件のサムネイル抽出に成功しました");
    EXPECT_TRUE(fs::is_directory(output + "/a.jpg"));
    EXPECT_EQ(std::distance(fs::directory_iterator(output), fs::directory_iterator()), 1);
}

TEST_F(ThumbnailRunTest, LinksToThePhotosAreReplacedAndNoPhotoIsEverWritten) {
    const std::string photo = fixtures::MakeCameraJpeg();
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddFile(name, photo);
    // An output folder made with "ln -s ../photos/* thumbs/", and one hard link to a photo.
    fs::create_directory(output);
    fs::create_symlink("../photos/a.jpg", output + "/a.jpg");
    fs::create_symlink(target + "/c.jpg", output + "/c.jpg");
    fs::create_hard_link(target + "/b.jpg", output + "/b.jpg");
    session.settings.EnvForceOverWrite = 1;
    // Links are no thumbnails of the program's: only the user's answer replaces them. The
    // other name of a photo is not even asked about.
    ui.overwriteAnswers = {OverwriteAnswer::Yes, OverwriteAnswer::Yes};
    ThumbnailRunResult r = Run();
    EXPECT_EQ(ui.overwriteAsked, (std::vector<std::string>{output + "/a.jpg", output + "/c.jpg"}));
    EXPECT_EQ(r.succeeded, 2);
    EXPECT_EQ(r.writeFailed, 1);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        EXPECT_EQ(dir.Read(std::string("photos/") + name), photo) << name;
    }
    EXPECT_FALSE(fs::is_symlink(output + "/a.jpg"));
    EXPECT_EQ(Thumb("a.jpg"), thumbnail);
    EXPECT_EQ(Thumb("c.jpg"), thumbnail);
    // The other name of the photo is kept, and the user is told.
    EXPECT_EQ(fs::hard_link_count(target + "/b.jpg"), 2u);
    EXPECT_EQ(
        ui.MessagesUtf8(),
        (std::vector<std::string>{
            "サムネイル(" + output + "/b.jpg)はターゲット画像と同じファイルなので書き込みません",
            "エントリ 3件のうち、2件のサムネイル抽出に成功しました"}));
}

TEST_F(ThumbnailRunTest, WritesThatFailAreCountedButMissingThumbnailsAreNot) {
    AddFile("a.jpg", fixtures::MakeCameraJpeg());
    AddFile("b.jpg", fixtures::MakeCameraJpeg());
    AddFile("plain.jpg", fixtures::MakeJpeg(64, 48));
    fs::create_directory(output);
    // A full disk: no byte of a thumbnail can be stored.
    ThumbnailRunResult r;
    {
        fixtures::FileSizeLimit limit(0);
        r = Run();
    }
    EXPECT_EQ(r.processed, 3);
    EXPECT_EQ(r.succeeded, 0);
    EXPECT_EQ(r.writeFailed, 2);
    EXPECT_TRUE(fs::is_empty(output));

    // With room again, only the photo without a thumbnail fails, and it is no failed write.
    ui.messages.clear();
    r = Run();
    EXPECT_EQ(r.succeeded, 2);
    EXPECT_EQ(r.writeFailed, 0);
}

TEST_F(ThumbnailRunTest, RemovesWhatAKilledRunLeftInTheOutputFolder) {
    AddFile("a.jpg", fixtures::MakeCameraJpeg());
    pid_t gone = fixtures::EndedProcessId();  // stands for a killed run
    ASSERT_GT(gone, 0);
    const std::string stale = ".mrl-" + std::to_string(gone) + "-aB3dE5";
    const std::string live = ".mrl-" + std::to_string(getpid()) + "-aB3dE5";
    dir.Write("thumbs/" + stale, "left by a killed run");
    dir.Write("thumbs/" + live, "being written by a run at work");
    EXPECT_EQ(Run().succeeded, 1);
    EXPECT_FALSE(fs::exists(output + "/" + stale));
    EXPECT_TRUE(fs::exists(output + "/" + live));
}

TEST_F(ThumbnailRunTest, ACancelledProgressStopsBeforeTheNextEntryWithoutASummary) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddFile(name, fixtures::MakeCameraJpeg());
    ui.cancelAtDone = 1;
    ThumbnailRunResult r = Run();
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.processed, 1);
    EXPECT_EQ(r.succeeded, 1);
    EXPECT_EQ(Thumb("a.jpg"), thumbnail);
    EXPECT_EQ(Thumb("b.jpg"), "<none>");
    EXPECT_EQ(ui.progress, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}}));
    EXPECT_TRUE(ui.messages.empty());
}

// The write step with its names and questions: what the run does with a thumbnail found.
TEST(ThumbnailStep, NamesAndOverwriteAnswers) {
    fixtures::TempDir dir;
    ScriptedInteraction ui;
    OverwritePolicy overwrite(ui, false);
    ThumbnailOutput out{overwrite, dir.path()};
    EXPECT_EQ(WriteThumbnail(out, "", "thumb").result, ThumbnailWrite::NoFileName);
    EXPECT_EQ(WriteThumbnail(out, "../t.jpg", "thumb").result, ThumbnailWrite::NoFileName);
    EXPECT_EQ(WriteThumbnail(out, "t.jpg", "456789ABCDEF").result, ThumbnailWrite::Written);
    EXPECT_EQ(dir.Read("t.jpg"), "456789ABCDEF");
    EXPECT_TRUE(ui.overwriteAsked.empty());

    // An existing file: no keeps it, cancel keeps it and ends the run.
    const std::string folder = dir.path() + "/";
    ThumbnailOutput again{overwrite, folder};
    ui.overwriteAnswers = {OverwriteAnswer::No, OverwriteAnswer::Cancel};
    EXPECT_EQ(WriteThumbnail(again, "t.jpg", "45").result, ThumbnailWrite::Declined);
    EXPECT_EQ(WriteThumbnail(again, "t.jpg", "45").result, ThumbnailWrite::Cancelled);
    EXPECT_EQ(dir.Read("t.jpg"), "456789ABCDEF");
    EXPECT_EQ(ui.overwriteAsked,
              (std::vector<std::string>{dir.path() + "/t.jpg", dir.path() + "/t.jpg"}));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace mirulane
