// The formatters and the field texts, with the examples the users' texts are checked against.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "album/settings.h"
#include "exif/camera_fields.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_format.h"
#include "exif/exif_reader.h"
#include "fixtures/exif_builder.h"
#include "platform/cp932.h"

namespace mirulane {
namespace {

struct Case {
    ExifFormatter formatter;
    const char* value;
    const char* expected;  // UTF-8
};

TEST(ExifFormat, Formatters) {
    const Case cases[] = {
        {FormatResolution, "72/1", "72"},
        {FormatResolution, "344372/100", "3443.7"},
        {FormatResolution, "72", "0"},  // no '/': ratio 0
        {FormatResolutionUnit, "2", "inch"},
        {FormatResolutionUnit, "3", "cm"},
        {FormatResolutionUnit, "1", "なし"},
        {FormatResolutionUnit, "0", ""},
        {FormatExposureTime, "1/60", "1/60"},
        {FormatExposureTime, "10/1250", "1/125"},
        {FormatExposureTime, "1/4000", "1/4000"},
        {FormatExposureTime, "2/1", "2"},
        {FormatExposureTime, "5/2", "2.5"},
        {FormatExposureTime, "5/0", "0"},
        {FormatExposureTime, "0/1", "0"},
        {FormatFNumber, "28/10", "2.8"},
        {FormatFNumber, "4/1", "4"},
        {FormatFNumber, "5/0", "0"},
        {FormatExposureProgram, "2", "プログラムAE"},
        {FormatExposureProgram, "8", "風景"},
        {FormatExposureProgram, "0", ""},
        {FormatShutterSpeed, "59069/10000", "1/60"},
        {FormatShutterSpeed, "0/1", "1"},
        {FormatShutterSpeed, "-1/1", "2"},
        {FormatAperture, "3/1", "2.8"},
        {FormatAperture, "6/1", "8"},
        {FormatFocalLength, "35/1", "35"},
        {FormatFocalLength, "58/10", "6"},
        {FormatFocalLength, "63/10", "6"},
        {FormatFocalLength, "5/10", "0.5"},
        {FormatFocalLength, "35", "0"},
        {FormatBiasZeroAsWord, "-2/3", "-0.7"},
        {FormatBiasZeroAsWord, "2/3", "+0.7"},
        {FormatBiasZeroAsWord, "-4/3", "-1.3"},
        {FormatBiasZeroAsWord, "1/1", "+1.0"},
        {FormatBiasZeroAsWord, "0/3", "なし"},
        {FormatBiasZeroAsBlank, "0/3", ""},
        {FormatBiasZeroAsBlank, "-2/3", "-0.7"},
        {FormatMeteringMode, "0", "不明"},
        {FormatMeteringMode, "6", "部分"},
        {FormatMeteringMode, "255", ""},
        {FormatLightSource, "12", "Daylight fluorescent"},
        {FormatLightSource, "24", "スタジオタングステン"},
        {FormatLightSource, "255", "その他の光源"},
        {FormatLightSource, "16", ""},
        {FormatSensingMethod, "2", "One-chip color area sensor"},
        {FormatSensingMethod, "6", ""},
        {FormatColorSpace, "1", "sRGB"},
        {FormatColorSpace, "65535", "Uncalibrated"},
        {FormatColorSpace, "2", ""},
        {FormatOrientation, "1", "正位置"},
        {FormatOrientation, "6", "時計回りに90度回転"},
        {FormatOrientation, "8", "反時計回りに90度回転"},
        {FormatOrientation, "9", ""},
        {FormatOrientation, "0", ""},
        // Flash at the three levels.
        {FormatFlashFired, "0", "発光なし"},
        {FormatFlashWithMode, "0", "発光なし"},
        {FormatFlashFull, "0", "発光なし"},
        {FormatFlashFired, "16", "発光なし"},
        {FormatFlashWithMode, "16", "発光なし(禁止モード)"},
        {FormatFlashFull, "16", "発光なし(禁止モード)"},
        {FormatFlashFired, "89", "発光あり"},
        {FormatFlashWithMode, "89", "発光あり(自動モード)"},
        {FormatFlashFull, "89", "発光あり(自動モード),赤目軽減機能付き"},
        {FormatFlashFull, "95", "発光あり(自動モード),反射光を検出した,赤目軽減機能付き"},
        {FormatFlashFull, "7", "発光あり,反射光を検出した"},
        {FormatFlashFull, "13", "発光あり(強制モード),反射光を検出せず"},
        {FormatFlashWithMode, "24", "発光なし(自動モード)"},
        // Unsigned rationals beyond the range of int keep their value.
        {FormatExposureTime, "4294967295/4294967295", "1"},
        // Nonsense gives some text, never a crash.
        {FormatShutterSpeed, "1000000/1", "1/inf"},
        {FormatShutterSpeed, "-1000000/1", "inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToDisplay(c.formatter(c.value)), c.expected) << c.value;
    }
}

TEST(ExifFormat, NumberReadings) {
    EXPECT_FLOAT_EQ(ExifRatio("-2/3"), -2.0f / 3.0f);
    EXPECT_EQ(ExifRatio("5/0"), 0.0f);
    EXPECT_EQ(ExifRatio("/4"), 0.0f);
    EXPECT_EQ(ExifRatio("8/"), 0.0f);
    EXPECT_EQ(ExifInteger(" -12ab"), -12);
    EXPECT_EQ(ExifInteger("4294967295"), 4294967295LL);
    EXPECT_EQ(ExifInteger("99999999999999999999999"), ExifInteger("9999999999999999999"));
    EXPECT_EQ(OneDecimal(72.0), "72");
    EXPECT_EQ(OneDecimal(2.8), "2.8");
    EXPECT_EQ(OneDecimal(3443.72), "3443.7");
}

// A capture table filled from a camera file with some tags changed.
ExifTable ReadCapture(const fixtures::ExifLayout& layout) {
    ExifTable table = MakeCaptureTable();
    EXPECT_EQ(ReadExifBytes(fixtures::JpegOf({fixtures::App1Exif(layout)}), table), kExifOk);
    return table;
}

std::string Joined(const CameraFields& f) {
    std::string s;
    for (const std::string* t : {&f.maker, &f.model, &f.date, &f.iso, &f.shutter, &f.aperture,
                                 &f.focal, &f.flash, &f.bias, &f.imageSize}) {
        if (!s.empty()) s += '|';
        s += ToDisplay(*t);
    }
    return s;
}

TEST(CameraFields, UnderTheOptions) {
    ExifTable table = ReadCapture(fixtures::CameraLayout({}));
    Settings s;  // defaults: units on, minutes, flash fired only
    EXPECT_EQ(Joined(ComposeCameraFields(table, s)),
              "MIRU|MIRU DC-200|2004/05/01 12:34|ISO100|1/60秒|F2.8|35mm|発光あり|-0.7EV|"
              "2048 x 1536");
    s.EnvExifDtorg = 0;
    s.EnvExifIsosr = 0;
    s.EnvExifShtsp = 0;
    s.EnvExifAprtv = 0;
    s.EnvExifFolen = 0;
    s.EnvExifEbias = 0;
    s.EnvExifFlash = 2;
    EXPECT_EQ(Joined(ComposeCameraFields(table, s)),
              "MIRU|MIRU DC-200|2004/05/01 12:34:56|100|1/60|2.8|35|"
              "発光あり(自動モード),赤目軽減機能付き|-0.7|2048 x 1536");
    s.EnvExifDtorg = 2;
    s.EnvExifFlash = 1;
    EXPECT_EQ(ComposeCameraFields(table, s).date, "2004/05/01");
    EXPECT_EQ(ToDisplay(ComposeCameraFields(table, s).flash), "発光あり(自動モード)");
    s.EnvExifFlash = 3;
    EXPECT_EQ(ComposeCameraFields(table, s).flash, "");
}

TEST(CameraFields, FallbacksAndAbsentTags) {
    // ShutterSpeedValue and ApertureValue win over ExposureTime and FNumber; ExposureIndex
    // stands in for ISO; a zero bias gives nothing, unit or not; a lone width gives no size.
    fixtures::Ifd ifd0;
    ifd0.Ascii(0x010F, "MAKER  ");
    fixtures::Ifd exif;
    exif.Rational(0x829A, 1, 4000)
        .Rational(0x829D, 4, 1)
        .SRational(0x9201, 59069, 10000)
        .Rational(0x9202, 3, 1)
        .Short(0xA215, 400)
        .SRational(0x9204, 0, 3)
        .Rational(0x920A, 63, 10)
        .Long(0xA002, 640)
        .Ascii(0x9003, "2004:05");
    ExifTable table = ReadCapture({fixtures::ByteOrder::Little, {ifd0}, exif, {}});
    Settings s;
    EXPECT_EQ(Joined(ComposeCameraFields(table, s)), "MAKER  ||2004:05|ISO400|1/60秒|F2.8|6mm|||");

    fixtures::Ifd exif2;
    exif2.Rational(0x829A, 1, 4000).Rational(0x829D, 4, 1).Ascii(0x9003, "2004:05:01 12");
    ExifTable table2 = ReadCapture({fixtures::ByteOrder::Big, {ifd0}, exif2, {}});
    s.EnvExifDtorg = 1;
    EXPECT_EQ(Joined(ComposeCameraFields(table2, s)), "MAKER  ||2004/05/01 12||1/4000秒|F4||||");
}

TEST(CameraFields, DateTexts) {
    EXPECT_EQ(ExifDateText("2004:05:01 12:34:56", 0), "2004/05/01 12:34:56");
    EXPECT_EQ(ExifDateText("2004:05:01 12:34:56", 1), "2004/05/01 12:34");
    EXPECT_EQ(ExifDateText("2004:05:01 12:34:56", 2), "2004/05/01");
    EXPECT_EQ(ExifDateText("2004:05", 0), "2004:05");
    setenv("TZ", "UTC", 1);
    tzset();
    // 2004-05-01 12:34:56 UTC
    EXPECT_EQ(DateTextFromTime(1083414896, 0), "2004/05/01 12:34:56");
    EXPECT_EQ(DateTextFromTime(1083414896, 1), "2004/05/01 12:34");
    EXPECT_EQ(DateTextFromTime(1083414896, 2), "2004/05/01");
    EXPECT_EQ(DateTextFromTime(1083414896, 7), "2004/05/01 12:34:56");
}

TEST(ExifCatalogue, TablesHaveTheirSizesAndOrder) {
    ExifTable preview = MakePreviewTable();
    ASSERT_EQ(preview.Size(), 57u);
    EXPECT_EQ(preview.Items().front().tag, 0x0103);
    EXPECT_EQ(preview.Items()[18].tag, 0x8769);
    EXPECT_EQ(ToDisplay(preview.Items()[36].name), "フラッシュ");
    EXPECT_EQ(preview.Items().back().tag, 0xA302);
    EXPECT_EQ(MakeCaptureTable().Size(), 19u);
    EXPECT_EQ(MakeThumbnailTable().Size(), 4u);
}

}  // namespace
}  // namespace mirulane
