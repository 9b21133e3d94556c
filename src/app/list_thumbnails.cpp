#include "app/list_thumbnails.h"

#include <string>

#include "album/page_style.h"
#include "html/presets.h"
#include "html/templates.h"
#include "platform/fs.h"

namespace mirulane {

bool ListPageShowsThumbnails(const PageStyle& style) {
    std::string templ;
    if (style.ListUseFile == 1) {
        if (ReadFileBytes(style.ListTemplateFile, templ, kTemplateMaxBytes) != 0) return false;
    } else {
        templ = ListPreset(style.ListPreset, !ListLayoutIsVertical(style.TopStyle));
    }
    return (style.Switch(Token::THUMB) && templ.find("_THUMB_") != std::string::npos) ||
           (style.Switch(Token::THUMBSP) && templ.find("_THUMBSP_") != std::string::npos);
}

}  // namespace mirulane
