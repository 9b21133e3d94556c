#include "exif/exif_catalogue.h"

#include "exif/exif_format.h"

namespace mirulane {

ExifTable MakePreviewTable() {
    static const ExifItemDef kItems[] = {
        {0x0103, false, "Compression", nullptr},
        {0x010E, true, "画像の説明", nullptr},
        {0x010F, true, "メーカー", nullptr},
        {0x0110, true, "モデル", nullptr},
        {0x0112, true, "画像データの起点", FormatOrientation},
        {0x011A, true, "横方向の分解能", FormatResolution},
        {0x011B, true, "縦方向の分解能", FormatResolution},
        {0x0128, true, "分解能の単位", FormatResolutionUnit},
        {0x0131, true, "内蔵ソフトウェア", nullptr},
        {0x0132, true, "日付と時刻", nullptr},
        {0x013E, true, "白点の色度", nullptr},
        {0x013F, true, "原色の色度", nullptr},
        {0x0201, false, "JpegIFOffset", nullptr},
        {0x0202, false, "JpegIFByteCount", nullptr},
        {0x0211, true, "YCbCrからRGBへの定数", nullptr},
        {0x0213, true, "色情報サンプルポイント", nullptr},
        {0x0214, true, "画像情報の黒点・白点値", nullptr},
        {0x8298, true, "著作権情報", nullptr},
        {0x8769, false, "ExifSubIFDへのオフセット", nullptr},
        {0x829A, true, "露光時間", FormatExposureTime},
        {0x829D, true, "F値", FormatFNumber},
        {0x8822, true, "露光制御のモード", FormatExposureProgram},
        {0x8827, true, "CCD感度のISO換算値", nullptr},
        {0x9000, true, "Exif形式のバージョン", nullptr},
        {0x9003, true, "オリジナル撮影日時", nullptr},
        {0x9004, true, "デジタル化した日時", nullptr},
        {0x9101, true, "格納データの並び", nullptr},
        {0x9102, true, "JPEGによる圧縮率", nullptr},
        {0x9201, true, "シャッター速度", FormatShutterSpeed},
        {0x9202, true, "レンズ絞り値", FormatAperture},
        {0x9203, true, "撮影対象物の明るさ", nullptr},
        {0x9204, true, "露光補正量", FormatBiasZeroAsWord},
        {0x9205, true, "レンズの開放F値", FormatAperture},
        {0x9206, true, "被写体までの距離", nullptr},
        {0x9207, true, "測光モード", FormatMeteringMode},
        {0x9208, true, "光源", FormatLightSource},
        {0x9209, true, "フラッシュ", FormatFlashFull},
        {0x920A, true, "レンズの焦点距離", FormatFocalLength},
        {0x927C, false, "メーカー依存データ", nullptr},
        {0x9286, false, "ユーザーコメント", nullptr},
        {0x9290, false, "SubsecTime", nullptr},
        {0x9291, false, "SubsecTimeOriginal", nullptr},
        {0x9292, false, "SubsecTimeDigitized", nullptr},
        {0xA000, true, "FlashPixのバージョン", nullptr},
        {0xA001, true, "色空間", FormatColorSpace},
        {0xA002, true, "メイン画像の幅", nullptr},
        {0xA003, true, "メイン画像の高さ", nullptr},
        {0xA004, true, "音声ファイルの名前", nullptr},
        {0xA005, false, "拡張データへのオフセット", nullptr},
        {0xA20E, true, "横方向のCCD画素密度", FormatResolution},
        {0xA20F, true, "縦方向のCCD画素密度", FormatResolution},
        {0xA210, true, "CCD画素密度の単位", FormatResolutionUnit},
        {0xA215, true, "CCD感度", nullptr},
        {0xA217, true, "イメージセンサー形式", FormatSensingMethod},
        {0xA300, false, "ファイルの情報源", nullptr},
        {0xA301, false, "どのような場面か", nullptr},
        {0xA302, false, "CFAのパターン", nullptr},
    };
    return ExifTable(kItems);
}

ExifTable MakeCaptureTable() {
    // Nobody shows this table, so its items carry no names.
    static const ExifItemDef kItems[] = {
        {0x0103, false, "", nullptr},
        {0x010F, false, "", nullptr},
        {0x0110, false, "", nullptr},
        {0x0201, false, "", nullptr},
        {0x0202, false, "", nullptr},
        {0x8769, false, "", nullptr},
        {0x829A, false, "", FormatExposureTime},
        {0x829D, false, "", FormatFNumber},
        {0x8827, false, "", nullptr},
        {0x9003, false, "", nullptr},
        {0x9201, false, "", FormatShutterSpeed},
        {0x9202, false, "", FormatAperture},
        {0x9204, false, "", FormatBiasZeroAsBlank},
        {0x9205, false, "", FormatAperture},
        // The flash text is built from the value text under the flash option.
        {0x9209, false, "", nullptr},
        {0x920A, false, "", FormatFocalLength},
        {0xA002, false, "", nullptr},
        {0xA003, false, "", nullptr},
        {0xA215, false, "", nullptr},
    };
    return ExifTable(kItems);
}

ExifTable MakeThumbnailTable() {
    static const ExifItemDef kItems[] = {
        {0x0103, false, "", nullptr},
        {0x0201, false, "", nullptr},
        {0x0202, false, "", nullptr},
        {0x8769, false, "", nullptr},
    };
    return ExifTable(kItems);
}

}  // namespace mirulane
