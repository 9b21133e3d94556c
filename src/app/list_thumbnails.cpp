#include "app/list_thumbnails.h"

#include <string>

#include "album/page_style.h"
#include "html/presets.h"
#include "html/templates.h"
#include "platform/fs.h"

namespace mirulane {

bool ListPageShowsThumbnails(const PageStyle& style) {
    Expected<std::string> loaded = LoadListTemplate(style);
    if (!loaded) return false;
    const std::string& templ = *loaded;
    return (style.Switch(Token::THUMB) && templ.find("_THUMB_") != std::string::npos) ||
           (style.Switch(Token::THUMBSP) && templ.find("_THUMBSP_") != std::string::npos);
}

}  // namespace mirulane
