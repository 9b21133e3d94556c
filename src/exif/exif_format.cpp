#include "exif/exif_format.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane {
namespace {

struct Word {
    int64_t n;
    const char* utf8;
};

// The word for n from a list, or the empty text.
template <size_t N>
std::string Lookup(const Word (&words)[N], int64_t n) {
    for (const auto& w : words) {
        if (w.n == n) return Sj(w.utf8);
    }
    return {};
}

// Reads a printed number back as the one-decimal rule needs.
double ReadBack(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

std::string BiasText(std::string_view value, bool zeroAsWord) {
    float v = ExifRatio(value);
    if (v != 0) return Format("%+.1f", static_cast<double>(v));
    return zeroAsWord ? Sj("なし") : std::string();
}

}  // namespace

int64_t ExifInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Value texts hold at most 32-bit numbers; stop growing far beyond that range.
    constexpr int64_t kLimit = int64_t{1} << 40;
    int64_t n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (n < kLimit) n = n * 10 + (text[i] - '0');
    }
    return negative ? -n : n;
}

float ExifRatio(std::string_view text) {
    size_t slash = text.find('/');
    if (slash == std::string_view::npos) return 0;
    float num = static_cast<float>(ExifInteger(text.substr(0, slash)));
    float den = static_cast<float>(ExifInteger(text.substr(slash + 1)));
    if (den == 0) return 0;
    return num / den;
}

std::string OneDecimal(double value) { return Format("%g", ReadBack(Format("%.1f", value))); }

std::string FormatResolution(std::string_view value) { return OneDecimal(ExifRatio(value)); }

std::string FormatResolutionUnit(std::string_view value) {
    int64_t n = ExifInteger(value);
    if (n == 2) return "inch";
    if (n == 3) return "cm";
    if (n == 1) return Sj("なし");
    return {};
}

std::string FormatExposureTime(std::string_view value) {
    float v = ExifRatio(value);
    if (v >= 1) return OneDecimal(v);
    // A ratio of 0 (unknown time, or a zero denominator) has no reciprocal.
    if (v == 0) return "0";
    float reciprocal = 1.0f / v;
    return Format("1/%.0f", static_cast<double>(reciprocal));
}

std::string FormatFNumber(std::string_view value) { return OneDecimal(ExifRatio(value)); }

std::string FormatExposureProgram(std::string_view value) {
    static const Word kWords[] = {{1, "マニュアル"},     {2, "プログラムAE"},
                                  {3, "絞り優先AE"},     {4, "シャッター速度優先AE"},
                                  {5, "被写界深度優先"}, {6, "アクションプログラム"},
                                  {7, "ポートレイト"},   {8, "風景"}};
    return Lookup(kWords, ExifInteger(value));
}

std::string FormatShutterSpeed(std::string_view value) {
    float t = std::pow(2.0f, ExifRatio(value));
    if (t > 1) return Format("1/%.0f", static_cast<double>(t));
    return OneDecimal(1.0f / t);
}

std::string FormatAperture(std::string_view value) {
    float f = std::sqrt(std::pow(2.0f, ExifRatio(value)));
    return OneDecimal(f);
}

std::string FormatFocalLength(std::string_view value) {
    float v = ExifRatio(value);
    std::string printed = Format(v >= 1 ? "%.0f" : "%.1f", static_cast<double>(v));
    return Format("%g", ReadBack(printed));
}

std::string FormatBiasZeroAsWord(std::string_view value) { return BiasText(value, true); }
std::string FormatBiasZeroAsBlank(std::string_view value) { return BiasText(value, false); }

std::string FormatMeteringMode(std::string_view value) {
    static const Word kWords[] = {{0, "不明"},     {1, "平均"},           {2, "中央部重点"},
                                  {3, "スポット"}, {4, "マルチスポット"}, {5, "パターン"},
                                  {6, "部分"}};
    return Lookup(kWords, ExifInteger(value));
}

std::string FormatLightSource(std::string_view value) {
    static const Word kWords[] = {{0, "不明"},
                                  {1, "昼光"},
                                  {2, "蛍光灯"},
                                  {3, "タングステン"},
                                  {4, "フラッシュ"},
                                  {9, "晴天"},
                                  {10, "曇天"},
                                  {11, "日陰"},
                                  {12, "Daylight fluorescent"},
                                  {13, "Day white fluorescent"},
                                  {14, "Cool white fluorescent"},
                                  {15, "White fluorescent"},
                                  {17, "標準ライトA"},
                                  {18, "標準ライトB"},
                                  {19, "標準ライトC"},
                                  {20, "D55"},
                                  {21, "D65"},
                                  {22, "D75"},
                                  {23, "D50"},
                                  {24, "スタジオタングステン"},
                                  {255, "その他の光源"}};
    return Lookup(kWords, ExifInteger(value));
}

std::string FormatSensingMethod(std::string_view value) {
    static const Word kWords[] = {{1, "定義なし"},
                                  {2, "One-chip color area sensor"},
                                  {3, "Two-chip color area sensor"},
                                  {4, "Three-chip color area sensor"},
                                  {5, "Color sequential area sensor"},
                                  {7, "Trilinear sensor"},
                                  {8, "Color sequential linear sensor"}};
    return Lookup(kWords, ExifInteger(value));
}

std::string FormatColorSpace(std::string_view value) {
    int64_t n = ExifInteger(value);
    if (n == 1) return "sRGB";
    if (n == 0xFFFF) return "Uncalibrated";
    return {};
}

std::string FormatOrientation(std::string_view value) {
    // How the stored picture must be turned to stand upright.
    static const char* const kWords[] = {
        "正位置",
        "左右反転",
        "180度回転",
        "上下反転",
        "左右反転後に反時計回りに90度回転",
        "時計回りに90度回転",
        "左右反転後に時計回りに90度回転",
        "反時計回りに90度回転",
    };
    int64_t n = ExifInteger(value);
    if (n < 1 || n > 8) return {};
    return Sj(kWords[n - 1]);
}

std::string FormatFlashFired(std::string_view value) {
    return Sj((ExifInteger(value) & 1) ? "発光あり" : "発光なし");
}

std::string FormatFlashWithMode(std::string_view value) {
    int64_t n = ExifInteger(value);
    std::string text = FormatFlashFired(value);
    switch (n & 0x18) {
        case 0x18:
            text += Sj("(自動モード)");
            break;
        case 0x08:
            text += Sj("(強制モード)");
            break;
        case 0x10:
            text += Sj("(禁止モード)");
            break;
        default:
            break;
    }
    return text;
}

std::string FormatFlashFull(std::string_view value) {
    int64_t n = ExifInteger(value);
    std::string text = FormatFlashWithMode(value);
    if ((n & 6) == 4) text += Sj(",反射光を検出せず");
    if ((n & 6) == 6) text += Sj(",反射光を検出した");
    if (n & 0x40) text += Sj(",赤目軽減機能付き");
    return text;
}

}  // namespace mirulane
