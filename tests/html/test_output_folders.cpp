// Default output folders around a newly chosen target folder, for every setting.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "album/page_style.h"
#include "album/settings.h"
#include "html/output_folders.h"
#include "platform/cp932.h"
#include "platform/paths.h"

namespace mirulane {
namespace {

TEST(DefaultFolders, EverySettingChoice) {
    struct Case {
        int idx, lst, thm;
        const char *top, *list, *thumb;
    };
    // clang-format off
    const Case kCases[] = {
        {0, 0, 0, "/p",        "/p/t/",     "/p/t/thumb"},
        {1, 1, 0, "/p/t/",     "/p/t/html", "/p/t/thumb"},
        {2, 2, 1, "/p/t/html", "/p/html",   "/p/thumb"},
        {3, 0, 5, "/p/html",   "/p/t/",     "/p/thumb"},
        {9, 9, 0, "/p/t/",     "/p/t/",     "/p/t/thumb"},
    };
    // clang-format on
    for (const Case& c : kCases) {
        Settings settings;
        settings.EnvPathIdx = c.idx;
        settings.EnvPathLst = c.lst;
        settings.EnvPathThm = c.thm;
        PageStyle style;
        style.ListFrameWidth = 77;
        style.DetailTemplateFile = "keep.html";
        SetDefaultFolders(style, "/p/t/", settings);
        EXPECT_EQ(style.TopFolder, c.top) << c.idx;
        EXPECT_EQ(style.ListFolder, c.list) << c.lst;
        EXPECT_EQ(style.DetailFolder, c.list);
        EXPECT_EQ(style.ThumbFolder, c.thumb) << c.thm;
        EXPECT_EQ(style.TargetFolder, "/p/t/");
        EXPECT_EQ(style.ImageFolder, "/p/t/");
        EXPECT_EQ(style.TopTitle, "t");
        EXPECT_EQ(style.ListFrameWidth, 77);
        EXPECT_EQ(style.DetailTemplateFile, "keep.html");
    }
}

TEST(DefaultFolders, DefaultSettingsGiveTheUsualLinks) {
    Settings settings;  // EnvPathIdx 1, EnvPathLst 1, EnvPathThm 0
    PageStyle style;
    SetDefaultFolders(style, Sj("C:\\写真\\表示"), settings);
    EXPECT_EQ(style.TopFolder, Sj("C:\\写真\\表示"));
    EXPECT_EQ(style.ListFolder, Sj("C:\\写真\\表示/html"));
    EXPECT_EQ(style.ThumbFolder, Sj("C:\\写真\\表示/thumb"));
    EXPECT_EQ(style.TopTitle, Sj("表示"));
    EXPECT_EQ(RelativeLink(style.TopFolder, style.ListFolder) + "list.html", "html/list.html");
    EXPECT_EQ(RelativeLink(style.DetailFolder, style.TargetFolder) + "P1.JPG", "../P1.JPG");
    EXPECT_EQ(RelativeLink(style.ListFolder, style.ThumbFolder) + "P1.jpg", "../thumb/P1.jpg");
    EXPECT_EQ(RelativeLink(style.DetailFolder, style.ImageFolder), "../");

    // Top folder equal to the list folder: the list frame source is the bare file name.
    settings.EnvPathLst = 0;
    SetDefaultFolders(style, "/home/u/album", settings);
    EXPECT_EQ(RelativeLink(style.TopFolder, style.ListFolder) + "list.html", "list.html");
}

TEST(DefaultFolders, DriveRoot) {
    Settings settings;
    PageStyle style;
    settings.EnvPathIdx = 0;
    settings.EnvPathThm = 1;
    SetDefaultFolders(style, "D:\\", settings);
    EXPECT_EQ(style.TopFolder, "D:");
    EXPECT_EQ(style.ThumbFolder, "D:/thumb");
    EXPECT_EQ(style.TopTitle, "D:");
    settings.EnvPathIdx = 3;
    SetDefaultFolders(style, "D:\\", settings);
    EXPECT_EQ(style.TopFolder, "D:/html");
    EXPECT_EQ(style.ListFolder, "D:/html");  // EnvPathLst 1: T without separator + "/html"
}

// The tree as text: each item's name, its children in brackets, siblings separated by blanks.
std::string Render(const std::vector<FolderTreeItem>& tree, int parent = -1) {
    static const char* const kNames[] = {"target", "html", "thumb", "top", "list", "thumbnails"};
    std::string text;
    for (size_t i = 0; i < tree.size(); ++i) {
        if (tree[i].parent != parent) continue;
        if (!text.empty()) text += ' ';
        text += kNames[static_cast<int>(tree[i].node)];
        std::string children = Render(tree, static_cast<int>(i));
        if (!children.empty()) text += "[" + children + "]";
    }
    return text;
}

TEST(DefaultFolderTree, PagesSharingAnHtmlFolderAndFoldersBesideTheTarget) {
    // The usual settings.
    EXPECT_EQ(Render(DefaultFolderTree(1, 1, 0)), "target[html[list] thumb[thumbnails] top]");
    // Both pages in the "html" folder beside the target: one node holds both.
    EXPECT_EQ(Render(DefaultFolderTree(3, 2, 0)), "target[thumb[thumbnails]] html[top list]");
    // Both in the "html" folder inside the target.
    EXPECT_EQ(Render(DefaultFolderTree(2, 1, 1)), "target[html[top list]] thumb[thumbnails]");
    // Two different "html" folders.
    EXPECT_EQ(Render(DefaultFolderTree(2, 2, 0)), "target[html[top] thumb[thumbnails]] html[list]");
    EXPECT_EQ(Render(DefaultFolderTree(3, 1, 0)), "target[html[list] thumb[thumbnails]] html[top]");
    // The top page beside the target folder, the list pages in it.
    EXPECT_EQ(Render(DefaultFolderTree(0, 0, 1)), "target[list] thumb[thumbnails] top");
    // A value outside the choices (a hand-edited profile) shows where the pages really go.
    EXPECT_EQ(Render(DefaultFolderTree(7, -1, 4)), "target[top list] thumb[thumbnails]");
}

TEST(DefaultFolderTree, ShowsWhereEverySettingPutsThePages) {
    // Every node's folder, read off the tree, is the folder the same settings choose.
    for (int idx = -1; idx <= 4; ++idx) {
        for (int lst = -1; lst <= 3; ++lst) {
            for (int thm = -1; thm <= 2; ++thm) {
                Settings settings;
                settings.EnvPathIdx = idx;
                settings.EnvPathLst = lst;
                settings.EnvPathThm = thm;
                PageStyle style;
                SetDefaultFolders(style, "/p/t", settings);
                std::vector<FolderTreeItem> tree = DefaultFolderTree(idx, lst, thm);
                std::vector<std::string> folder(tree.size());
                std::string top, list, thumb;
                for (size_t i = 0; i < tree.size(); ++i) {
                    const FolderTreeItem& item = tree[i];
                    ASSERT_LT(item.parent, static_cast<int>(i));
                    std::string in = item.parent < 0 ? "/p" : folder[item.parent];
                    switch (item.node) {
                        case FolderNode::kTarget:
                            folder[i] = in + "/t";
                            break;
                        case FolderNode::kHtml:
                            folder[i] = in + "/html";
                            break;
                        case FolderNode::kThumb:
                            folder[i] = in + "/thumb";
                            break;
                        case FolderNode::kTopPage:
                            top = in;
                            break;
                        case FolderNode::kListPages:
                            list = in;
                            break;
                        case FolderNode::kThumbnails:
                            thumb = in;
                            break;
                    }
                }
                SCOPED_TRACE(Render(tree));
                EXPECT_EQ(top, style.TopFolder) << idx << " " << lst << " " << thm;
                EXPECT_EQ(list, style.ListFolder) << idx << " " << lst << " " << thm;
                EXPECT_EQ(thumb, style.ThumbFolder) << idx << " " << lst << " " << thm;
            }
        }
    }
}

}  // namespace
}  // namespace mirulane
