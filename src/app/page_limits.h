#pragma once
// The limits of the page creation options and the names of the top page's layouts, the same
// in the options dialog and on the command line.

#include <cstddef>
#include <string>

#include "album/page_style.h"

namespace mirulane {

// The top page's title takes at most this many bytes (CP932).
inline constexpr size_t kPageTitleMaxBytes = 255;
// A folder of the options takes at most this many bytes (CP932).
inline constexpr size_t kPagePathMaxBytes = 259;

// The top page's layouts (TopLayout, in its order): the caption of the dialog's picture
// button and the two captions under it.
struct TopLayoutName {
    const char* caption;
    const char* first;
    const char* second;
};
inline constexpr TopLayoutName kTopLayoutNames[] = {
    {"左右分割１", "左:リスト", "右:個別"},     {"左右分割２", "左:個別", "右:リスト"},
    {"上下分割１", "上:個別", "下:リスト"},     {"上下分割２", "上:リスト", "下:個別"},
    {"フレームなし", "スマートフォン対応", ""},
};
inline constexpr int kTopLayoutCount = 5;

// A layout's name in one line (UTF-8), "左右分割１（左:リスト 右:個別）"; empty for a
// value that is no layout.
inline std::string TopLayoutLabel(TopLayout layout) {
    const int index = static_cast<int>(layout);
    if (index < 0 || index >= kTopLayoutCount) return {};
    const TopLayoutName& n = kTopLayoutNames[index];
    std::string label = std::string(n.caption) + "（" + n.first;
    if (*n.second) label += std::string(" ") + n.second;
    return label + "）";
}

}  // namespace mirulane
