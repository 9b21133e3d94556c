// Entry capture: which files are read, which columns are written, and the file-date fallback.

#include <gtest/gtest.h>

#include <string>

#include "album/entry_list.h"
#include "album/settings.h"
#include "exif/camera_fields.h"
#include "exif/entry_capture.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace mirulane {
namespace {

// Columns 1 to 16 of an entry, '|'-separated (UTF-8).
std::string Row(const EntryList& list, int index) {
    std::string s;
    for (int c = COL_TITLE; c <= COL_IMGSZ; ++c) {
        if (c != COL_TITLE) s += '|';
        s += ToDisplay(list.Field(index, c));
    }
    return s;
}

class EntryCaptureTest : public ::testing::Test {
  protected:
    // An entry with its own columns 1 to 6 filled, which capture must never touch.
    int Add(std::string_view name) {
        int i = list.Append(name);
        for (int c = COL_TITLE; c <= COL_COMM2; ++c) list.SetField(i, c, "k");
        return i;
    }
    std::string FileDate(const std::string& name, int dtorg) {
        FileStatus st;
        EXPECT_EQ(GetFileStatus(dir.path() + "/" + name, st), 0);
        return DateTextFromTime(st.creationTime, dtorg);
    }

    fixtures::TempDir dir;
    EntryList list;
    Settings settings;
    EntryCapture capture;
};

TEST_F(EntryCaptureTest, CameraJpegFillsAllTenColumns) {
    dir.Write("IMG_0001.JPG", fixtures::MakeCameraJpeg());
    int i = Add("IMG_0001.JPG");
    EXPECT_EQ(capture.Capture(list, i, dir.path(), "IMG_0001.JPG", settings), kCaptureOk);
    EXPECT_EQ(Row(list, i),
              "k|k|k|k|k|k|MIRU|MIRU DC-200|2004/05/01 12:34|ISO100|1/60秒|F2.8|35mm|発光あり|"
              "-0.7EV|2048 x 1536");
    EXPECT_EQ(list.Field(i, COL_FILE), "IMG_0001.JPG");

    // The folder may already end in a separator; ".jpeg" is a JPEG too.
    dir.Write("photo.jpeg", fixtures::MakeCameraJpeg({.order = fixtures::ByteOrder::Little}));
    int j = Add("photo.jpeg");
    settings.EnvExifDtorg = 2;
    EXPECT_EQ(capture.Capture(list, j, dir.path() + "/", "photo.jpeg", settings), kCaptureOk);
    EXPECT_EQ(ToDisplay(list.Field(j, COL_DTORG)), "2004/05/01");
}

TEST_F(EntryCaptureTest, OtherFilesGetAtMostTheFileDate) {
    std::string camera = fixtures::MakeCameraJpeg();
    dir.Write("photo.jpe", camera);
    dir.Write("photo", camera);
    dir.Write("movie.avi", fixtures::MakeAvi(320, 240));
    dir.Write("plain.jpg", fixtures::MakeJpeg(320, 240));
    for (const char* name : {"photo.jpe", "photo", "movie.avi", "plain.jpg", "gone.jpg"}) {
        settings.EnvExifDtfil = 0;
        int i = Add(name);
        EXPECT_EQ(capture.Capture(list, i, dir.path(), name, settings), kCaptureNoExif);
        EXPECT_EQ(Row(list, i), "k|k|k|k|k|k||||||||||") << name;

        settings.EnvExifDtfil = 1;
        settings.EnvExifDtorg = 0;
        EXPECT_EQ(capture.Capture(list, i, dir.path(), name, settings), kCaptureNoExif);
        // A missing file has no date to fall back on.
        std::string date = std::string(name) == "gone.jpg" ? "" : FileDate(name, 0);
        EXPECT_EQ(Row(list, i), "k|k|k|k|k|k|||" + date + "|||||||") << name;
    }
    // An empty name writes nothing at all.
    int e = Add("");
    EXPECT_EQ(capture.Capture(list, e, dir.path(), "", settings), kCaptureNoFileName);
    EXPECT_EQ(Row(list, e), "k|k|k|k|k|k||||||||||");
}

TEST_F(EntryCaptureTest, MissingDateAndLostExif) {
    fixtures::CameraJpeg noDate;
    fixtures::ExifLayout layout = fixtures::CameraLayout(noDate);
    auto& fields = layout.exif->fields;
    std::erase_if(fields, [](const fixtures::TiffField& f) { return f.tag == 0x9003; });
    std::string bytes = fixtures::JpegOf(
        {fixtures::App1Exif(layout), fixtures::Sof0(8, 8), fixtures::ScanAndEnd(8)});
    dir.Write("nodate.jpg", bytes);
    int i = Add("nodate.jpg");
    settings.EnvExifDtfil = 0;
    EXPECT_EQ(capture.Capture(list, i, dir.path(), "nodate.jpg", settings), kCaptureOk);
    EXPECT_EQ(ToDisplay(list.Field(i, COL_DTORG)), "");
    EXPECT_EQ(ToDisplay(list.Field(i, COL_MAKER)), "MIRU");
    settings.EnvExifDtfil = 1;
    settings.EnvExifDtorg = 2;
    EXPECT_EQ(capture.Capture(list, i, dir.path(), "nodate.jpg", settings), kCaptureOk);
    EXPECT_EQ(list.Field(i, COL_DTORG), FileDate("nodate.jpg", 2));

    // The file loses its Exif data: the camera columns keep their texts, the date follows
    // the file.
    dir.Write("IMG_0002.JPG", fixtures::MakeCameraJpeg());
    int j = Add("IMG_0002.JPG");
    ASSERT_EQ(capture.Capture(list, j, dir.path(), "IMG_0002.JPG", settings), kCaptureOk);
    dir.Write("IMG_0002.JPG", fixtures::MakeJpeg(64, 64));
    EXPECT_EQ(capture.Capture(list, j, dir.path(), "IMG_0002.JPG", settings), kCaptureNoExif);
    EXPECT_EQ(Row(list, j), "k|k|k|k|k|k|MIRU|MIRU DC-200|" + FileDate("IMG_0002.JPG", 2) +
                                "|ISO100|1/60秒|F2.8|35mm|発光あり|-0.7EV|2048 x 1536");
}

}  // namespace
}  // namespace mirulane
