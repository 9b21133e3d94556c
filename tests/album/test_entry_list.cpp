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

    // An entry that stays keeps being the previewed one, wherever it moves.
    current = 4;  // "6"
    list.Select(0);
    list.Select(2);
    list.Select(5);
    list.DeleteSelected(current);
    EXPECT_EQ(current, 2);
    EXPECT_EQ(list.Field(current, COL_TITLE), "6");
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

// A view that knows the list only through its notifications, as the desktop app's list model
// does: a copy of the file names and the selection, kept in step by what it is told.
class MirrorView : public EntryListObserver {
  public:
    explicit MirrorView(const EntryList& list) : list_(list) {}
    void RowsAboutToBeInserted(int first, int last) override { Check(first <= last); }
    void RowsInserted(int first, int last) override {
        for (int i = first; i <= last; ++i) {
            names.insert(names.begin() + i, list_.Field(i, COL_FILE));
            selected.insert(selected.begin() + i, list_.IsSelected(i));
        }
    }
    void RowsAboutToBeRemoved(int first, int last) override {
        // Numbered as before the removal: the rows are still there.
        Check(last < list_.Count() && list_.Field(first, COL_FILE) == names[first]);
        removals.emplace_back(first, last);
    }
    void RowsRemoved(int first, int last) override {
        names.erase(names.begin() + first, names.begin() + last + 1);
        selected.erase(selected.begin() + first, selected.begin() + last + 1);
    }
    void LayoutAboutToChange() override { pendingLayout = true; }
    void LayoutChanged(const std::vector<int>& newRowOfOldRow) override {
        Check(pendingLayout && newRowOfOldRow.size() == names.size());
        pendingLayout = false;
        std::vector<std::string> movedNames(names.size());
        std::vector<bool> movedSelected(names.size());
        for (size_t old = 0; old < names.size(); ++old) {
            movedNames[newRowOfOldRow[old]] = names[old];
            movedSelected[newRowOfOldRow[old]] = selected[old];
        }
        names = movedNames;
        selected = movedSelected;
    }
    void FieldChanged(int row, int column) override {
        ++fieldChanges;
        if (column == COL_FILE) names[row] = list_.Field(row, COL_FILE);
    }
    void SelectionChanged() override {
        ++selectionChanges;
        for (int i = 0; i < list_.Count(); ++i) selected[i] = list_.IsSelected(i);
    }
    void AboutToReset() override { pendingReset = true; }
    void Reset() override {
        Check(pendingReset);
        pendingReset = false;
        names.clear();
        selected.clear();
        RowsInserted(0, list_.Count() - 1);
    }

    // True when the copy is the list.
    bool InStep() const {
        if (static_cast<int>(names.size()) != list_.Count()) return false;
        for (int i = 0; i < list_.Count(); ++i) {
            if (names[i] != list_.Field(i, COL_FILE) || selected[i] != list_.IsSelected(i))
                return false;
        }
        return ok;
    }

    std::vector<std::string> names;
    std::vector<bool> selected;
    std::vector<std::pair<int, int>> removals;
    int fieldChanges = 0;
    int selectionChanges = 0;
    bool pendingLayout = false;
    bool pendingReset = false;

  private:
    void Check(bool condition) { ok = ok && condition; }
    const EntryList& list_;
    bool ok = true;
};

TEST(EntryList, AViewFollowsEveryChangeThroughItsNotifications) {
    EntryList list;
    MirrorView view(list);
    list.SetObserver(&view);
    for (int i = 0; i < 10; ++i) list.Append("f" + std::to_string(i));
    EXPECT_TRUE(view.InStep());

    // Scattered rows go as one removal per contiguous block, the highest block first.
    for (int i : {1, 2, 5, 7, 8}) list.Select(i);
    EXPECT_TRUE(view.InStep());
    int current = 5;
    EXPECT_EQ(list.DeleteSelected(current), 5);
    EXPECT_EQ(current, -1);
    EXPECT_EQ(view.removals, (std::vector<std::pair<int, int>>{{7, 8}, {5, 5}, {1, 2}}));
    EXPECT_TRUE(view.InStep());

    // A sort tells where every row went; the selection moves with its rows.
    list.Select(0);
    list.SetField(0, COL_TITLE, "z");
    list.SetField(3, COL_TITLE, "a");
    list.Sort(COL_TITLE, false, false);
    EXPECT_FALSE(view.pendingLayout);
    EXPECT_TRUE(view.InStep());
    EXPECT_EQ(view.names, (std::vector<std::string>{"f3", "f4", "f9", "f6", "f0"}));
    EXPECT_TRUE(view.selected[4]);

    // A field is announced when it changes, not when it is set to what it holds.
    int before = view.fieldChanges;
    list.SetField(1, COL_FILE, "renamed.jpg");
    list.SetField(1, COL_FILE, "renamed.jpg");
    EXPECT_EQ(view.fieldChanges, before + 1);
    EXPECT_TRUE(view.InStep());

    // Select all, and a whole selection handed over by a view, are one change each; a short
    // set of flags leaves the rows beyond it unselected.
    before = view.selectionChanges;
    list.SelectAll();
    EXPECT_EQ(view.selectionChanges, before + 1);
    EXPECT_TRUE(view.InStep());
    list.SetSelection({false, true});
    EXPECT_EQ(view.selectionChanges, before + 2);
    EXPECT_EQ(list.SelectedCount(), 1);
    EXPECT_TRUE(list.IsSelected(1));
    EXPECT_TRUE(view.InStep());
    std::vector<bool> which(list.Count(), false);
    which[0] = which[list.Count() - 1] = true;
    view.removals.clear();
    EXPECT_EQ(list.DeleteRows(which), 2);
    EXPECT_EQ(view.removals.size(), 2u);
    EXPECT_TRUE(view.InStep());
    list.DeleteAll();
    EXPECT_FALSE(view.pendingReset);
    EXPECT_TRUE(view.InStep());

    // Detached, it hears nothing more.
    list.SetObserver(nullptr);
    list.Append("late.jpg");
    EXPECT_TRUE(view.names.empty());
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
