// Seeds for the Exif reader targets: camera files in both byte orders, with and without JFIF,
// and a few segments that end the read early.

#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "seeds/seeds.h"

namespace mirulane::seeds {

void WriteExifSeeds(const std::string& folder) {
    using namespace fixtures;
    WriteSeed(folder, "camera_mm", MakeCameraJpeg({.scanPadding = 16}));
    WriteSeed(folder, "camera_ii_jfif",
              MakeCameraJpeg({.order = ByteOrder::Little, .jfif = true, .scanPadding = 16}));
    CameraJpeg raw;
    raw.thumbCompression = 1;
    raw.scanPadding = 16;
    WriteSeed(folder, "thumb_uncompressed", MakeCameraJpeg(raw));

    Ifd ifd0, ifd1, exif;
    ifd0.Byte(0x0001, 1).Ascii(0x010E, "description").Short(0x0112, 1).Long(0x0004, 7);
    ifd0.SByte(0x0006, -1).Undefined(0x0007, "abcdef").SShort(0x0008, -2).SLong(0x0009, -3);
    ifd0.Float(0x000B, 1.25f).Double(0x000C, 2.5).Array(0x0013, 3, 3, 2, {1, 2, 3});
    ifd1.Rational(0x011A, 72, 0).ForceNext(8);
    exif.SRational(0x9201, 59069, 10000).Rational(0x9202, 3, 1).SRational(0x9204, 0, 3);
    WriteSeed(folder, "all_types_loop",
              JpegOf({App1Exif({ByteOrder::Little, {ifd0, ifd1}, exif, {}})}));
    WriteSeed(folder, "xmp", JpegOf({Segment(0xE1, "http://ns.adobe.com/xap/1.0/")}));
    WriteSeed(folder, "app0_com", JpegOf({App0Jfif(), ComSegment("c"), Segment(0xE1, "Exif")}));
}

}  // namespace mirulane::seeds
