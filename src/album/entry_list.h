#pragma once
// The single store of the album's entries, in album order, and the notifications a view over
// it (the desktop app's list model) needs to follow every change. Texts are CP932 byte
// strings.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "album/columns.h"

namespace mirulane {

enum class KindIcon : int { Image = 0, Video = 1, Other = 2 };

struct Entry {
    std::array<std::string, kColumnCount> fields;
    KindIcon icon = KindIcon::Other;
    bool selected = false;
    bool focused = false;
};

// Told about every change of an entry list, in the order a Qt item model announces them:
// rows are numbered as before the change in the "about to" calls and as after it otherwise.
class EntryListObserver {
  public:
    virtual ~EntryListObserver() = default;
    virtual void RowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void RowsInserted(int /*first*/, int /*last*/) {}
    virtual void RowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void RowsRemoved(int /*first*/, int /*last*/) {}
    virtual void LayoutAboutToChange() {}  // sort
    // Old row i is now newRowOfOldRow[i].
    virtual void LayoutChanged(const std::vector<int>& /*newRowOfOldRow*/) {}
    virtual void FieldChanged(int /*row*/, int /*column*/) {}
    virtual void SelectionChanged() {}
    virtual void AboutToReset() {}  // DeleteAll
    virtual void Reset() {}
};

class EntryList {
  public:
    // One observer (nullptr detaches it); it is told about every change from now on.
    void SetObserver(EntryListObserver* observer) { observer_ = observer; }

    int Count() const { return static_cast<int>(entries_.size()); }

    // Adds an entry with COL_FILE set and every other field empty; returns its index.
    int Append(std::string_view fileName);

    // The entry of a file: the first whose COL_FILE equals the name exactly; only when there
    // is none, the first that equals it without regard to letter case (an album written where
    // names ignore case still finds its files); -1 when neither exists. Served from indexes,
    // so a pass of n look-ups over n entries stays linear.
    int Find(std::string_view fileName) const;
    // The first entry whose COL_FILE equals the name byte for byte, or -1. Names that differ
    // only in letter case are two files here.
    int FindExact(std::string_view fileName) const;

    // Announced as FieldChanged when the text changes.
    void SetField(int index, int column, std::string_view text);
    const std::string& Field(int index, int column) const;

    KindIcon Icon(int index) const { return entries_[index].icon; }

    void Delete(int index);
    void DeleteAll();
    // Takes other's entries in place of this list's (this list keeps its observer): announced
    // as one reset, so a view shows a whole album read elsewhere at once.
    void ReplaceWith(EntryList&& other);
    void Reserve(size_t count) { entries_.reserve(count); }
    // Deletes every selected entry. currentEntry follows its entry: -1 when that entry was
    // deleted, one less for every deleted entry before it. Returns how many were deleted.
    int DeleteSelected(int& currentEntry);
    // Deletes every entry whose flag is set (rows beyond the flags stay). Returns how many.
    // Both announce one removal per contiguous block of rows, from the highest block down.
    int DeleteRows(const std::vector<bool>& which);

    int SelectedCount() const;
    int FirstSelected() const;
    int FocusedSelected() const;
    bool IsSelected(int index) const { return entries_[index].selected; }
    // Each announced as SelectionChanged (SelectAll once).
    void Select(int index);  // selected, every other state (focus included) cleared
    void Deselect(int index);
    void SelectAll();
    // Exactly the rows whose flag is set are selected (rows beyond the flags are not); focus
    // is left as it is. Announced once, so a view can hand over a selection of any size.
    void SetSelection(const std::vector<bool>& which);
    void SetFocus(int index);  // gives the keyboard focus to one entry

    int ColumnCount() const { return kColumnCount; }

    // Stable sort by one column's text with the list pane's compare rule (first 29 bytes,
    // ASCII folded to lower case unless caseSensitive); announced as a layout change. Returns
    // where every row went: old row i is now row result[i].
    std::vector<int> Sort(int column, bool descending, bool caseSensitive);

    const Entry& At(int index) const { return entries_[index]; }

  private:
    void InvalidateIndex() { indexValid_ = false; }
    void RebuildIndex() const;
    // Removes rows first..last (announced).
    void RemoveRange(int first, int last);

    std::vector<Entry> entries_;
    EntryListObserver* observer_ = nullptr;
    mutable std::unordered_map<std::string, int> exact_;   // name -> first index
    mutable std::unordered_map<std::string, int> folded_;  // folded name -> first index
    mutable bool indexValid_ = true;
};

// The compare rule of the column sort: <0, 0 or >0.
int CompareForSort(std::string_view a, std::string_view b, bool caseSensitive);

}  // namespace mirulane
