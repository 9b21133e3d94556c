// Seeds for the image-header, album-file and profile readers.

#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "seeds/seeds.h"

namespace mirulane::seeds {

void WriteImageHeaderSeeds(const std::string& folder) {
    using namespace fixtures;
    WriteSeed(folder, "jpeg", MakeJpeg(640, 480, std::string(40, 'E')));
    WriteSeed(folder, "progressive", MakeProgressiveJpeg(8, 8));
    WriteSeed(folder, "portrait-ii", MakeOrientedJpeg(600, 450, 6, ByteOrder::Little));
    WriteSeed(folder, "portrait-mm", MakeOrientedJpeg(600, 450, 8, ByteOrder::Big));
    WriteSeed(folder, "png", MakePng(640, 480));
    WriteSeed(folder, "gif", MakeGif(31, 17));
    WriteSeed(folder, "bmp", MakeBmp(800, 600));
    WriteSeed(folder, "avi", MakeAvi(320, 240));
    WriteSeed(folder, "mp4", MakeMp4(1920, 1080));
    WriteSeed(folder, "mp4-moov-first", MakeMp4(640, 360, /*moovFirst=*/true));
    WriteSeed(folder, "webm", MakeWebm(1280, 720));
    WriteSeed(folder, "webm-live", MakeWebm(640, 360, /*liveSizes=*/true));
    WriteSeed(
        folder, "mp4-v1-turned",
        Mp4Box("ftyp", "qt  ") + Mp4Box("moov", Mp4Box("trak", Mp4TrackHeader(1280, 720, 1, 1)),
                                        /*largeSize=*/true));
}

void WriteAlbumFileSeeds(const std::string& folder) {
    WriteSeed(folder, "album",
              "#[TopPageStyle]\t0\t/p\tp\t5\t5\t140\t140\t15\t15\t0\t0\t0\r\n"
              "#[ListPageStyle]\t/p/html\t0\t/p/thumb\t1\t100\t94\t94\t0\t1\t8\t0\t0\t0\t\r\n"
              "#[DetailPageStyle]\t/p/html\t/p\t1\t100\t400\t400\t0\t0\t1\t\t1\r\n"
              "#[TargetInfo]\t/p\r\n#[TemplateInfo]\t1\t1\t0\t1\tPrev\tNext\t1\r\n#header\r\n"
              "IMG_0001.JPG\tIMG_0001\tIMG_0001\tgroup\tjpg\t\t\tMaker\tModel\r\n");
    WriteSeed(folder, "legacy", "#[ListPageStyle]\tL\t1\tT\t1\t100\t94\t94\t1\t1\t8\t0\na\n");
}

void WriteProfileSeeds(const std::string& folder) {
    WriteSeed(folder, "profile",
              "[Environment]\r\nShowHelp=0\r\nEnvFilterCheck=1010\r\nFontItalic=300\r\n"
              "FontFaceName=\"MS UI Gothic\"\r\n; note\r\n[Other]\r\nx=1\r\n");
}

}  // namespace mirulane::seeds
