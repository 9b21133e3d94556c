// The pictures of the list pane's thumbnail view: which file each entry's picture comes from,
// turned upright, and nothing shown (rather than a failure) for what cannot be read.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "album/media.h"
#include "app/list_picture.h"
#include "exif/exif_thumbnail.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "fixtures/picture_builder.h"

namespace mirulane {
namespace {

namespace fs = std::filesystem;
using fixtures::PictureFormat;

constexpr int kBox = 96;

class ListPictureTest : public ::testing::Test {
  protected:
    ListPictureTest() {
        fs::create_directory(dir.path() + "/photos");
        fs::create_directory(dir.path() + "/thumbs");
        PrepareListPictures();
    }
    ListPicture Load(const std::string& name, bool withThumbs = true) const {
        ListPictures pictures(dir.path() + "/photos", withThumbs ? dir.path() + "/thumbs" : "",
                              kBox);
        return pictures.Load(name);
    }
    fixtures::TempDir dir;
};

TEST_F(ListPictureTest, TheThumbnailFolderThenTheCameraThumbnailThenAMadeOne) {
    fixtures::CameraJpeg camera;
    camera.orientation = 6;
    const std::string cameraJpeg = fixtures::MakeCameraJpeg(camera);
    const std::string thumb = fixtures::MakeThumbnailJpeg(120, 90);
    dir.Write("photos/a.jpg", cameraJpeg);
    dir.Write("thumbs/A.JPG", thumb);  // as another system's letter case has it
    dir.Write("photos/b.jpg", cameraJpeg);

    ListPicture a = Load("a.jpg");
    EXPECT_EQ(a.kind, ListPictureKind::Picture);
    EXPECT_EQ(a.source, ListPictureSource::ThumbFolder);
    EXPECT_EQ(a.bytes, thumb);

    // The camera's thumbnail carries the photo's orientation, so that it stands upright.
    for (bool withThumbs : {true, false}) {
        ListPicture b = Load("b.jpg", withThumbs);
        EXPECT_EQ(b.source, ListPictureSource::Embedded);
        PixelSize size;
        ASSERT_EQ(ParseJpegSize(b.bytes, size), 0);
        EXPECT_EQ(size.orientation, 6);
    }

    // No thumbnail anywhere: the photo is made small, upright, on the caller's thread.
    dir.Write("photos/portrait.jpg", fixtures::MakePicture(PictureFormat::Jpeg, 400, 300, 6));
    ListPicture made = Load("portrait.jpg");
    EXPECT_EQ(made.source, ListPictureSource::Made);
    std::optional<fixtures::DecodedPicture> decoded = fixtures::DecodePicture(made.bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->height, kBox);
    EXPECT_EQ(decoded->width, kBox * 3 / 4);

    // A thumbnail file larger than a thumbnail is made small too, never handed on whole.
    dir.Write("photos/wide.jpg", fixtures::MakePicture(PictureFormat::Jpeg, 64, 32));
    dir.Write("thumbs/wide.jpg", fixtures::MakePicture(PictureFormat::Jpeg, 2400, 100));
    ListPicture wide = Load("wide.jpg");
    EXPECT_EQ(wide.source, ListPictureSource::ThumbFolder);
    decoded = fixtures::DecodePicture(wide.bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, kBox);
}

TEST_F(ListPictureTest, MoviesShowTheirPosterOrTheirKind) {
    dir.Write("photos/clip.avi", fixtures::MakeAvi(320, 240));
    dir.Write("photos/other.mp4", fixtures::MakeMp4(320, 240));
    const std::string poster = fixtures::MakePicture(PictureFormat::Jpeg, 80, 60);
    dir.Write("thumbs/clip.avi.jpg", poster);
    // A photo's thumbnail of the same base name is not the movie's.
    dir.Write("thumbs/other.jpg", poster);

    ListPicture clip = Load("clip.avi");
    EXPECT_EQ(clip.kind, ListPictureKind::Picture);
    EXPECT_EQ(clip.bytes, poster);
    EXPECT_EQ(Load("other.mp4").kind, ListPictureKind::Movie);
    EXPECT_EQ(Load("clip.avi", false).kind, ListPictureKind::Movie);
}

TEST_F(ListPictureTest, WhatCannotBeReadShowsNothingAndABadThumbnailIsPassedOver) {
    dir.Write("photos/garbage.jpg", "not a picture at all");
    dir.Write("photos/notes.txt", "text");
    dir.Write("photos/good.jpg", fixtures::MakePicture(PictureFormat::Jpeg, 64, 48));
    dir.Write("thumbs/good.jpg", "a damaged thumbnail");
    dir.Write("secret.jpg", fixtures::MakePicture(PictureFormat::Jpeg, 64, 48));

    for (const char* name : {"garbage.jpg", "missing.jpg", "notes.txt", "../secret.jpg", ""}) {
        ListPicture none = Load(name);
        EXPECT_EQ(none.kind, ListPictureKind::None) << name;
        EXPECT_TRUE(none.bytes.empty()) << name;
    }
    ListPicture good = Load("good.jpg");
    EXPECT_EQ(good.kind, ListPictureKind::Picture);
    EXPECT_EQ(good.source, ListPictureSource::Made);
}

}  // namespace
}  // namespace mirulane
