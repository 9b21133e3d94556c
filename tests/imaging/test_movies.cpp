// Movies as the album reads them: a poster from about a second in, upright; what browsers
// play as it is; playable copies that are H.264 and AAC in an MP4 a page can stream; and files
// that lie about their container, or take too long, refused with their reason.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "fixtures/image_builder.h"
#include "fixtures/movie_builder.h"
#include "fixtures/picture_builder.h"
#include "imaging/movie_copy.h"
#include "imaging/movie_poster.h"

namespace mirulane {
namespace {

using fixtures::ClipKind;
using fixtures::ClipRecipe;

class MovieTest : public ::testing::Test {
  protected:
    std::string Clip(const std::string& name, const ClipRecipe& recipe) {
        const std::string path = dir.path() + "/" + name;
        EXPECT_TRUE(fixtures::WriteClip(path, recipe)) << name;
        return path;
    }
    // A new empty file for a copy, as the writer of output files hands one over.
    std::string NewFile(const std::string& name) {
        const std::string path = dir.path() + "/" + name;
        close(open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644));
        return path;
    }
    static fixtures::DecodedPicture Decoded(const MadeThumbnail& made) {
        std::optional<fixtures::DecodedPicture> picture = fixtures::DecodePicture(made.jpeg);
        EXPECT_TRUE(picture.has_value());
        return picture.value_or(fixtures::DecodedPicture{});
    }
    // True when the middle of the poster is blue rather than red.
    static bool Blue(const fixtures::DecodedPicture& p) {
        const uint8_t* px = p.At(p.width / 2, p.height / 2);
        return px[2] > 150 && px[0] < 100;
    }

    fixtures::TempDir dir;
};

TEST_F(MovieTest, PosterIsTheFrameAboutASecondInFittedToTheBox) {
    // Red until 0.9 s, blue from then on: the first frame would be red.
    struct Case {
        const char* name;
        ClipRecipe recipe;
        int width;
        int height;
    } cases[] = {
        {"MVI_0001.AVI", {ClipKind::MjpegAvi, 640, 480, 15, 3.0}, 160, 120},
        {"phone.mp4", {ClipKind::H264Mp4, 1280, 720, 30, 3.0}, 160, 90},
        {"old.mpg", {ClipKind::Mpeg1, 352, 288, 25, 3.0}, 147, 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MadeThumbnail poster = MakeMoviePoster(Clip(c.name, c.recipe), 160, 120);
        ASSERT_TRUE(poster.ok) << poster.error;
        fixtures::DecodedPicture p = Decoded(poster);
        EXPECT_TRUE(p.jpeg);
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.height, c.height);
        EXPECT_TRUE(Blue(p));
    }
    // A clip too short for that shows its first frame; a small one is never enlarged.
    ClipRecipe shortClip{ClipKind::MjpegAvi, 64, 48, 10, 0.5};
    MadeThumbnail poster = MakeMoviePoster(Clip("short.avi", shortClip), 160, 120);
    ASSERT_TRUE(poster.ok) << poster.error;
    fixtures::DecodedPicture p = Decoded(poster);
    EXPECT_EQ(p.width, 64);
    EXPECT_FALSE(Blue(p));
}

TEST_F(MovieTest, ClipFilmedOnItsSideGetsAnUprightPosterAndKeepsItsTurnInTheCopy) {
    ClipRecipe recipe{ClipKind::H264Mp4, 320, 180, 25, 2.0};
    recipe.turnDegrees = 90;
    const std::string path = Clip("side.mp4", recipe);
    MadeThumbnail poster = MakeMoviePoster(path, 160, 160);
    ASSERT_TRUE(poster.ok) << poster.error;
    fixtures::DecodedPicture p = Decoded(poster);
    EXPECT_EQ(p.width, 90);
    EXPECT_EQ(p.height, 160);

    // The copy keeps the turn (browsers apply it), so its poster stands upright too.
    const std::string copy = NewFile("side-copy.mp4");
    ASSERT_TRUE(MakePlayableCopy(path, copy).ok);
    MadeThumbnail again = MakeMoviePoster(copy, 160, 160);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(Decoded(again).height, 160);
}

TEST_F(MovieTest, OnlyWhatBrowsersPlayIsLinkedAsItIs) {
    EXPECT_TRUE(ProbeMovie(Clip("phone.mp4", {ClipKind::H264Mp4})).playable);
    EXPECT_TRUE(ProbeMovie(Clip("phone.MOV", {ClipKind::H264Mp4})).playable);
    MovieFacts avi = ProbeMovie(Clip("camera.avi", {ClipKind::MjpegAvi}));
    EXPECT_EQ(avi.problem, ThumbnailProblem::None) << avi.detail;
    EXPECT_EQ(avi.videoCodec, "mjpeg");
    EXPECT_FALSE(avi.playable);
    EXPECT_FALSE(ProbeMovie(Clip("old.mpg", {ClipKind::Mpeg1})).playable);
}

// Each container is opened by the demuxer its name says, after its first bytes agree: a file
// of another kind under a movie's name reaches no decoder.
TEST_F(MovieTest, FilesThatLieAboutTheirContainerAreRefused) {
    const std::string avi = Clip("real.avi", {ClipKind::MjpegAvi});
    std::string bytes = dir.Read("real.avi");
    struct Case {
        const char* name;
        std::string bytes;
        ThumbnailProblem problem;
    } cases[] = {
        {"avi.mp4", bytes, ThumbnailProblem::NotItsKind},
        {"avi.webm", bytes, ThumbnailProblem::NotItsKind},
        {"photo.mov", fixtures::MakePicture(fixtures::PictureFormat::Jpeg, 32, 24),
         ThumbnailProblem::NotItsKind},
        {"script.avi", "#!/bin/sh\ntouch /tmp/owned\n", ThumbnailProblem::NotItsKind},
        {"cut.avi", bytes.substr(0, 200), ThumbnailProblem::Damaged},
        {"empty.mp4", "", ThumbnailProblem::NotItsKind},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.Write(c.name, c.bytes);
        MadeThumbnail poster = MakeMoviePoster(path, 160, 120);
        EXPECT_FALSE(poster.ok);
        EXPECT_EQ(poster.problem, c.problem) << poster.error;
        EXPECT_FALSE(poster.error.empty());
        MovieCopy copy = MakePlayableCopy(path, NewFile(std::string(c.name) + ".out"));
        EXPECT_FALSE(copy.ok);
        EXPECT_EQ(copy.problem, c.problem) << copy.detail;
    }
}

// A phone clip whose sample tables are shifted by one byte: the decoder never learns the
// frames' pixel format before the copy is set up, and the converter must not be made blind.
TEST_F(MovieTest, ClipWithShiftedSampleTablesIsRefusedWithoutEndingTheProgram) {
    Clip("phone.mp4", {ClipKind::H264Mp4, 32, 24, 5, 0.6, true, 90});
    std::string bytes = dir.Read("phone.mp4");
    const size_t stss = bytes.find("stss");
    ASSERT_NE(stss, std::string::npos);
    bytes.insert(stss + 12, 1, '\xD5');  // after the entry count
    const std::string path = dir.Write("shifted.mp4", bytes);
    MadeThumbnail poster = MakeMoviePoster(path, 160, 120);
    EXPECT_TRUE(poster.ok || !poster.error.empty());
    MovieCopy copy = MakePlayableCopy(path, NewFile("shifted.out.mp4"));
    EXPECT_FALSE(copy.ok);
    EXPECT_NE(copy.problem, ThumbnailProblem::None) << copy.detail;
}

TEST_F(MovieTest, CopyOfACameraClipIsH264AndAacWithItsIndexFirst) {
    const std::string copy = NewFile("copy.mp4");
    MovieCopy made =
        MakePlayableCopy(Clip("MVI_0002.AVI", {ClipKind::MjpegAvi, 320, 240, 15, 2.0, true}), copy);
    ASSERT_TRUE(made.ok) << made.detail;
    const std::string& checked = copy;
    MovieFacts facts = ProbeMovie(checked);
    EXPECT_EQ(facts.videoCodec, "h264");
    EXPECT_TRUE(facts.playable);  // AAC sound included: other sound would not play
    const std::string bytes = dir.Read("copy.mp4");
    const size_t moov = bytes.find("moov");
    const size_t mdat = bytes.find("mdat");
    ASSERT_NE(moov, std::string::npos);
    ASSERT_NE(mdat, std::string::npos);
    EXPECT_LT(moov, mdat);  // a page starts playing before the whole file has come
    EXPECT_TRUE(MakeMoviePoster(checked, 160, 120).ok);
}

TEST_F(MovieTest, CopyHasTheSourcesSizeCappedWithEvenSides) {
    ClipRecipe recipe{ClipKind::Mpeg1, 2000, 1002, 25, 0.4, false};
    const std::string copy = NewFile("big.mp4");
    ASSERT_TRUE(MakePlayableCopy(Clip("big.mpg", recipe), copy).ok);
    MadeThumbnail poster = MakeMoviePoster(copy, 4000, 4000);
    ASSERT_TRUE(poster.ok) << poster.error;
    fixtures::DecodedPicture p = Decoded(poster);
    EXPECT_EQ(p.width, 1920);
    EXPECT_EQ(p.height, 962);

    ClipRecipe odd{ClipKind::MjpegAvi, 322, 242, 10, 0.3, false};
    const std::string small = NewFile("odd.mp4");
    ASSERT_TRUE(MakePlayableCopy(Clip("odd.avi", odd), small).ok);
    MadeThumbnail oddPoster = MakeMoviePoster(small, 4000, 4000);
    ASSERT_TRUE(oddPoster.ok);
    EXPECT_EQ(Decoded(oddPoster).width, 322);
}

TEST_F(MovieTest, CopyStopsWhenAskedAndWhenItsTimeIsUp) {
    const std::string path = Clip("long.avi", {ClipKind::MjpegAvi, 640, 480, 25, 8.0, false});
    std::atomic<bool> stop{true};
    const auto start = std::chrono::steady_clock::now();
    MovieCopy stopped = MakePlayableCopy(path, NewFile("stopped.mp4"), MovieLimits{}, &stop);
    EXPECT_FALSE(stopped.ok);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    MovieLimits limits;
    limits.copyTimeBase = std::chrono::milliseconds(1);
    limits.copyTimePerSecond = 0;
    MovieCopy late = MakePlayableCopy(path, NewFile("late.mp4"), limits);
    EXPECT_FALSE(late.ok);
    EXPECT_FALSE(late.cancelled);
    EXPECT_EQ(late.problem, ThumbnailProblem::TimedOut) << late.detail;
}

}  // namespace
}  // namespace mirulane
