#pragma once
// Output locations of an album: where its pages and thumbnails go by default, placed around a
// newly chosen target folder as the settings ask.

#include <string>
#include <string_view>
#include <vector>

namespace mirulane {

struct PageStyle;
struct Settings;

// Sets TargetFolder, TopFolder, ListFolder, DetailFolder, ThumbFolder, ImageFolder and
// TopTitle from a newly chosen target folder and the settings EnvPathIdx, EnvPathLst and
// EnvPathThm. Nothing else of the style changes.
void SetDefaultFolders(PageStyle& style, std::string_view chosenTarget, const Settings& settings);

// Where the playable copies of an album's movies go: a folder "movie" beside its thumbnail
// folder (CP932, without a trailing separator); empty when the album names no thumbnail
// folder.
std::string MovieFolder(const PageStyle& style);

// The nodes of the folder tree that previews the default placement: the target folder, the
// "html" and "thumb" folders, and what goes into them.
enum class FolderNode { kTarget, kHtml, kThumb, kTopPage, kListPages, kThumbnails };

struct FolderTreeItem {
    FolderNode node;
    int parent;  // index of the parent item, -1: beside the target folder
};

// The tree of where an album's pages and thumbnails go for these values of EnvPathIdx,
// EnvPathLst and EnvPathThm (values outside the choices as SetDefaultFolders reads them);
// parents come before their children, siblings in display order.
std::vector<FolderTreeItem> DefaultFolderTree(int pathIdx, int pathLst, int pathThm);

}  // namespace mirulane
