// The entry list: look-up, deletion with the preview's index, sorting, groups.

#include <gtest/gtest.h>

#include "album/album.h"
#include "platform/cp932.h"

namespace mirulane {
namespace {

std::vector<std::string> Titles(const EntryList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Field(i, COL_TITLE));
    return out;
}

TEST(EntryList, AppendsWithIconAndFindsWithoutRegardToCase) {
    EntryList list;
    EXPECT_EQ(list.Append("IMG_0001.JPG"), 0);
    EXPECT_EQ(list.Append("clip.AVI"), 1);
    EXPECT_EQ(list.Append("README"), 2);
    EXPECT_EQ(list.Icon(0), KindIcon::Image);
    EXPECT_EQ(list.Icon(1), KindIcon::Video);
    EXPECT_EQ(list.Icon(2), KindIcon::Other);
    EXPECT_EQ(list.Field(0, COL_FILE), "IMG_0001.JPG");
    EXPECT_EQ(list.Find("img_0001.jpg"), 0);
    EXPECT_EQ(list.Find("readme"), 2);
    EXPECT_EQ(list.Find("missing"), -1);

    // The index follows deletions and sorts.
    list.Delete(0);
    EXPECT_EQ(list.Find("IMG_0001.JPG"), -1);
    EXPECT_EQ(list.Find("CLIP.avi"), 0);
    list.Sort(COL_FILE, true, false);
    EXPECT_EQ(list.Find("clip.avi"), 1);
    list.SetField(1, COL_FILE, "other.jpg");
    EXPECT_EQ(list.Find("OTHER.JPG"), 1);

    std::string out;
    list.SetField(0, COL_TITLE, "abcdef");
    EXPECT_EQ(list.GetField(0, COL_TITLE, 4, out), 3);
    EXPECT_EQ(out, "abc");
}

TEST(EntryList, FindPrefersTheExactNameOverOneThatDiffersInCase) {
    EntryList list;
    list.Append("IMG_0001.JPG");
    list.Append("img_0001.jpg");
    EXPECT_EQ(list.Find("IMG_0001.JPG"), 0);
    EXPECT_EQ(list.Find("img_0001.jpg"), 1);
    EXPECT_EQ(list.Find("Img_0001.jpg"), 0);  // no exact one: the first ignoring case
    EXPECT_EQ(list.FindExact("Img_0001.jpg"), -1);
    EXPECT_EQ(list.FindExact("img_0001.jpg"), 1);
    // Both indexes follow changes of the list.
    list.Delete(0);
    EXPECT_EQ(list.Find("IMG_0001.JPG"), 0);
    EXPECT_EQ(list.FindExact("IMG_0001.JPG"), -1);
    list.SetField(0, COL_FILE, "IMG_0001.JPG");
    EXPECT_EQ(list.FindExact("IMG_0001.JPG"), 0);
    EXPECT_EQ(list.FindExact("img_0001.jpg"), -1);
}

TEST(EntryList, DeleteSelectedKeepsOrderAndForgetsThePreviewedEntry) {
    EntryList list;
    for (int i = 0; i < 10; ++i) {
        list.Append("f" + std::to_string(i));
        list.SetField(i, COL_TITLE, std::to_string(i));
    }
    list.Select(2);
    list.Select(5);
    list.Select(7);
    list.SetFocus(5);
    EXPECT_EQ(list.SelectedCount(), 3);
    EXPECT_EQ(list.FirstSelected(), 2);
    EXPECT_EQ(list.FocusedSelected(), 5);
    list.Select(5);  // selecting clears the focus
    EXPECT_EQ(list.FocusedSelected(), -1);

    int current = 5;
    EXPECT_EQ(list.DeleteSelected(current), 3);
    EXPECT_EQ(current, -1);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"0", "1", "3", "4", "6", "8", "9"}));
    EXPECT_EQ(list.Find("f8"), 5);

    current = 1;
    list.Select(0);
    list.DeleteSelected(current);
    EXPECT_EQ(current, 1);  // an index that was not deleted is left as it is
}

TEST(EntryList, SortComparesTheFirst29BytesWithOptionalCaseFolding) {
    EXPECT_EQ(CompareForSort("apple", "Apple", false), 0);
    EXPECT_GT(CompareForSort("apple", "Apple", true), 0);
    EXPECT_LT(CompareForSort("ISO100", "ISO80", false), 0);
    std::string prefix(29, 'x');
    EXPECT_EQ(CompareForSort(prefix + "a", prefix + "b", false), 0);
    EXPECT_LT(CompareForSort("ab", "abc", false), 0);
    EXPECT_GT(CompareForSort("\xE0", "z", false), 0);  // unsigned bytes

    EntryList list;
    for (const char* t : {"b", "Apple", "apple", "C", "a"}) {
        int i = list.Append(t);
        list.SetField(i, COL_TITLE, t);
    }
    list.Sort(COL_TITLE, false, false);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"a", "Apple", "apple", "b", "C"}));
    list.Sort(COL_TITLE, false, true);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"Apple", "C", "a", "apple", "b"}));
    list.Sort(COL_TITLE, true, true);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"b", "apple", "a", "C", "Apple"}));
}

TEST(Album, GroupNamesAreUniqueCutAndLimited) {
    Album album;
    EXPECT_EQ(album.fileName, Sj("新規"));
    EXPECT_TRUE(album.AddGroup("g"));
    EXPECT_FALSE(album.AddGroup("g"));
    EXPECT_FALSE(album.AddGroup(""));
    std::string longName = "x" + std::string(126, 'y') + Sj("あ");
    EXPECT_TRUE(album.AddGroup(longName));
    EXPECT_EQ(album.groups.back().size(), 127u);  // the two-byte character would not fit whole
    for (int i = 0; album.groups.size() < kGroupCollectLimit; ++i)
        album.AddGroup("n" + std::to_string(i));
    EXPECT_FALSE(album.AddGroup("one too many"));
}

}  // namespace
}  // namespace mirulane
