// Default output folders around a newly chosen target folder, for every setting.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace mirulane
