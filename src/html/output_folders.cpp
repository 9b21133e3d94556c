#include "html/output_folders.h"

#include <string>

#include "album/page_style.h"
#include "album/settings.h"
#include "platform/paths.h"

namespace mirulane {

void SetDefaultFolders(PageStyle& style, std::string_view chosenTarget, const Settings& settings) {
    const std::string target(chosenTarget);
    const std::string parent = ParentFolder(chosenTarget);
    const std::string targetBare(WithoutOneTrailingSeparator(chosenTarget));
    const std::string targetHtml = targetBare + kPathSeparator + "html";
    const std::string parentHtml = parent + kPathSeparator + "html";

    switch (settings.EnvPathIdx) {
        case 0:
            style.TopFolder = parent;
            break;
        case 2:
            style.TopFolder = targetHtml;
            break;
        case 3:
            style.TopFolder = parentHtml;
            break;
        default:
            style.TopFolder = target;
            break;
    }
    switch (settings.EnvPathLst) {
        case 1:
            style.ListFolder = targetHtml;
            break;
        case 2:
            style.ListFolder = parentHtml;
            break;
        default:
            style.ListFolder = target;
            break;
    }
    if (settings.EnvPathThm == 0) {
        style.ThumbFolder = targetBare + kPathSeparator + "thumb";
    } else {
        style.ThumbFolder = parent + kPathSeparator + "thumb";
    }
    style.TargetFolder = target;
    style.DetailFolder = style.ListFolder;
    style.ImageFolder = target;
    style.TopTitle = LastComponent(chosenTarget);
}

}  // namespace mirulane
