#include "album/columns.h"

namespace mirulane {
namespace {

struct ColumnInfo {
    const char* caption;
    int width;
};

// Captions are also the header line of the album list file; the half-width katakana belong
// to them.
constexpr ColumnInfo kColumns[kColumnCount] = {
    {"ファイル名", 150}, {"タイトル", 150},   {"読み", 150},       {"グループ", 150},
    {"種類", 60},        {"コメント１", 150}, {"コメント２", 150}, {"メーカー", 100},
    {"モデル", 130},     {"撮影日時", 120},   {"ISO感度", 70},     {"ｼｬｯﾀｰ速度", 80},
    {"絞り値", 50},      {"焦点距離", 70},    {"ﾌﾗｯｼｭ状態", 80},   {"露光補正", 70},
    {"画像サイズ", 80},
};

}  // namespace

const char* ColumnCaptionUtf8(int column) {
    return (column >= 0 && column < kColumnCount) ? kColumns[column].caption : "";
}

int ColumnWidth(int column) {
    return (column >= 0 && column < kColumnCount) ? kColumns[column].width : 0;
}

}  // namespace mirulane
