// Relative links, folder creation and the name functions.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "platform/paths.h"

namespace mirulane {
namespace {

using fixtures::TempDir;

TEST(RelativeLink, LeadsFromOneFolderToAnother) {
    struct Case {
        const char* from;
        const char* to;
        const char* link;
    };
    const Case kCases[] = {
        {"C:\\Photos\\html", "C:\\Photos", "../"},
        {"C:\\Photos", "C:\\Photos\\thumb", "thumb/"},
        {"C:\\Photos\\html", "C:\\Photos\\thumb", "../thumb/"},
        {"C:\\Photos\\2004", "C:\\Photos\\2004", ""},
        {"C:\\Photos\\2004\\", "C:\\Photos\\2004", ""},
        {"C:\\A", "D:\\B", "../../D:/B/"},
        // Mixed separators split into the same components.
        {"C:/Photos\\2004", "C:\\Photos\\2004\\html", "html/"},
        // Letter case matters: nothing in common.
        {"C:\\Photos", "c:\\photos", "../../c:/photos/"},
        // Doubled separators make an empty component.
        {"C:\\Photos\\\\x", "C:\\Photos\\x", "../../x/"},
        // Linux folders: the leading separator opens no component.
        {"/home/u/album/html", "/home/u/album", "../"},
        {"/home/u/album", "/home/u/album/thumb/", "thumb/"},
        {"/a", "/b/c", "../b/c/"},
        {"", "", ""},
        {"", "thumb", "thumb/"},
        {"html", "", "../"},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(RelativeLink(c.from, c.to), c.link) << c.from << " -> " << c.to;
    }
}

TEST(RelativeLink, TwoByteCharactersEndingIn5CDoNotSplitComponents) {
    // 表 and ソ end in the byte 0x5C, the backslash.
    const std::string hyoji = Sj("C:\\写真\\表示");
    const std::string soft = Sj("/home/u/ソフト");
    EXPECT_EQ(RelativeLink(hyoji + "\\html", hyoji), "../");
    EXPECT_EQ(RelativeLink(hyoji, hyoji + "\\thumb"), "thumb/");
    EXPECT_EQ(RelativeLink(Sj("C:\\写真"), hyoji), Sj("表示/"));
    EXPECT_EQ(RelativeLink(soft + "/html", soft + "/thumb"), "../thumb/");
    EXPECT_EQ(RelativeLink(soft + "/html", Sj("/home/u/表")), Sj("../../表/"));
    // A folder ending in such a character gets no separator appended by mistake, and none is
    // taken for a trailing one.
    EXPECT_EQ(RelativeLink(Sj("/x/ソ"), Sj("/x/ソ")), "");
}

TEST(PathHelpers, SeparatorsAndComponents) {
    EXPECT_EQ(EnsureTrailingSeparator(""), "");
    EXPECT_EQ(EnsureTrailingSeparator("C:\\a"), "C:\\a/");
    EXPECT_EQ(EnsureTrailingSeparator("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(EnsureTrailingSeparator("/a/"), "/a/");
    EXPECT_EQ(EnsureTrailingSeparator(Sj("/x/表")), Sj("/x/表/"));
    EXPECT_EQ(JoinPath("", "list.html"), "list.html");
    EXPECT_EQ(JoinPath("/a/html", "list.html"), "/a/html/list.html");
    EXPECT_EQ(JoinPath("C:\\a\\", "list.html"), "C:\\a\\list.html");

    EXPECT_EQ(LastComponent("C:\\Photos\\2004"), "2004");
    EXPECT_EQ(LastComponent("C:\\Photos\\2004\\\\"), "2004");
    EXPECT_EQ(LastComponent("D:\\"), "D:");
    EXPECT_EQ(LastComponent("plain"), "plain");
    EXPECT_EQ(LastComponent(Sj("/home/ソフト")), Sj("ソフト"));
    EXPECT_EQ(LastComponent(Sj("/home/表")), Sj("表"));

    EXPECT_EQ(ParentFolder("C:\\Photos\\2004\\"), "C:\\Photos");
    EXPECT_EQ(ParentFolder("D:\\"), "D:");
    EXPECT_EQ(ParentFolder("/photos"), "/photos");  // a separator at position 0 does not count
    EXPECT_EQ(ParentFolder(Sj("/home/表")), "/home");
    EXPECT_EQ(ParentFolder(Sj("/home/表/a")), Sj("/home/表"));

    SplitPathResult s = SplitPath(Sj("C:\\表示\\P1.tar.JPG"));
    EXPECT_EQ(s.folder, Sj("C:\\表示"));
    EXPECT_EQ(s.file, "P1.tar.JPG");
    EXPECT_EQ(s.base, "P1.tar");
    EXPECT_EQ(s.ext, "JPG");
    s = SplitPath(".profile");
    EXPECT_EQ(s.folder, "");
    EXPECT_EQ(s.base, "");
    EXPECT_EQ(s.ext, "profile");
    s = SplitPath(Sj("/a/表"));
    EXPECT_EQ(s.file, Sj("表"));
    EXPECT_EQ(s.ext, "");

    EXPECT_TRUE(IsPlainFileName(Sj("表.jpg")));
    EXPECT_TRUE(IsPlainFileName("..x"));
    EXPECT_FALSE(IsPlainFileName(""));
    EXPECT_FALSE(IsPlainFileName(".."));
    EXPECT_FALSE(IsPlainFileName("../x"));
    EXPECT_FALSE(IsPlainFileName("a\\b"));
}

TEST(PathHelpers, SplitBaseNameKeepsShortTailsAndLeadingDots) {
    struct Case {
        const char* name;
        const char* base;
        const char* ext;
    };
    const Case kCases[] = {
        {"IMG_0001.JPG", "IMG_0001", "JPG"},
        {"a.b.jpg", "a.b", "jpg"},
        {".profile", ".profile", ""},
        {"name.", "name.", ""},
        {"a.b.", "a", "b."},
        {"x.y", "x", "y"},
        {"noext", "noext", ""},
        {"", "", ""},
        {"..", "..", ""},
        {"a..", "a", "."},
    };
    for (const Case& c : kCases) {
        BaseExt r = SplitBaseName(c.name);
        EXPECT_EQ(r.base, c.base) << c.name;
        EXPECT_EQ(r.ext, c.ext) << c.name;
    }
}

class MakeFolderPathTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string root = *Utf8ToCp932(dir.path());
    static bool IsDir(const std::string& utf8) { return std::filesystem::is_directory(utf8); }
};

TEST_F(MakeFolderPathTest, ExistingFolderIsLeftAlone) {
    EXPECT_EQ(MakeFolderPath(root), 0);
    EXPECT_EQ(MakeFolderPath(root + "/"), 0);
    EXPECT_EQ(MakeFolderPath(""), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(MakeFolderPathTest, CreatesEveryMissingLevel) {
    ASSERT_TRUE(std::filesystem::create_directory(dir.path() + "/a"));
    EXPECT_EQ(MakeFolderPath(root + "/a/b/c"), 0);
    EXPECT_TRUE(IsDir(dir.path() + "/a/b/c"));
    // Doubled, trailing and backslash separators.
    EXPECT_EQ(MakeFolderPath(root + "//x\\y//"), 0);
    EXPECT_TRUE(IsDir(dir.path() + "/x/y"));
    // Names holding the byte 0x5C as a trail byte stay one folder each.
    EXPECT_EQ(MakeFolderPath(root + Sj("/表示/ソフト")), 0);
    EXPECT_TRUE(IsDir(dir.path() + "/表示/ソフト"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/\x95"));
}

TEST_F(MakeFolderPathTest, FileInTheWayFails) {
    dir.Write("file", "x");
    EXPECT_EQ(MakeFolderPath(root + "/file"), -2);
    EXPECT_EQ(MakeFolderPath(root + "/file/sub"), -2);
    EXPECT_FALSE(IsDir(dir.path() + "/file"));
}

TEST_F(MakeFolderPathTest, CreationFailureKeepsWhatWasMade) {
    // A read-only folder refuses new entries (except for a privileged user, who is checked
    // through a file system that refuses folders altogether).
    ASSERT_EQ(MakeFolderPath(root + "/made"), 0);
    chmod((dir.path() + "/made").c_str(), 0555);
    std::string blocked = geteuid() == 0 ? "/proc/mirulane-no-such/x" : root + "/made/x/y";
    EXPECT_EQ(MakeFolderPath(blocked), -3);
    chmod((dir.path() + "/made").c_str(), 0755);
    EXPECT_TRUE(IsDir(dir.path() + "/made"));
}

}  // namespace
}  // namespace mirulane
