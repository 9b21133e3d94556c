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

std::string MovieFolder(const PageStyle& style) {
    if (style.ThumbFolder.empty()) return {};
    return ParentFolder(style.ThumbFolder) + kPathSeparator + "movie";
}

std::vector<FolderTreeItem> DefaultFolderTree(int pathIdx, int pathLst, int pathThm) {
    // The same readings of the choices as SetDefaultFolders.
    const int top = pathIdx >= 0 && pathIdx <= 3 ? pathIdx : 1;
    const int list = pathLst == 1 || pathLst == 2 ? pathLst : 0;
    const int thumb = pathThm == 0 ? 0 : 1;

    std::vector<FolderTreeItem> tree;
    auto add = [&tree](FolderNode node, int parent) {
        tree.push_back({node, parent});
        return static_cast<int>(tree.size()) - 1;
    };
    constexpr int kBeside = -1;
    const int target = add(FolderNode::kTarget, kBeside);
    int topHtml = -1;
    if (top == 2) topHtml = add(FolderNode::kHtml, target);
    if (top == 3) topHtml = add(FolderNode::kHtml, kBeside);
    // The pages share an "html" folder when both are placed in the same one.
    int listHtml = -1;
    if (list == 1) listHtml = top == 2 ? topHtml : add(FolderNode::kHtml, target);
    if (list == 2) listHtml = top == 3 ? topHtml : add(FolderNode::kHtml, kBeside);
    const int thumbFolder = add(FolderNode::kThumb, thumb == 0 ? target : kBeside);
    add(FolderNode::kTopPage, top == 0 ? kBeside : top == 1 ? target : topHtml);
    add(FolderNode::kListPages, list == 0 ? target : listHtml);
    add(FolderNode::kThumbnails, thumbFolder);
    return tree;
}

}  // namespace mirulane
