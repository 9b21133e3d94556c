#pragma once
// The single store of the album's entries, in album order. Texts are CP932 byte strings.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "album/columns.h"

namespace mirulane {

enum class KindIcon : int { Image = 0, Video = 1, Other = 2 };

struct Entry {
    std::array<std::string, kColumnCount + 1> fields;  // the last slot is the scan's mark
    KindIcon icon = KindIcon::Other;
    bool selected = false;
    bool focused = false;
};

class EntryList {
  public:
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

    void SetField(int index, int column, std::string_view text);
    const std::string& Field(int index, int column) const;
    // Copies at most maxLength-1 bytes (room for a terminator) into out; returns the length.
    int GetField(int index, int column, int maxLength, std::string& out) const;

    KindIcon Icon(int index) const { return entries_[index].icon; }

    void Delete(int index);
    void DeleteAll();
    // Deletes every selected entry from the highest index down; a deleted index equal to
    // currentEntry sets currentEntry to -1. Returns how many were deleted.
    int DeleteSelected(int& currentEntry);

    int SelectedCount() const;
    int FirstSelected() const;
    int FocusedSelected() const;
    bool IsSelected(int index) const { return entries_[index].selected; }
    void Select(int index);  // selected, every other state (focus included) cleared
    void Deselect(int index);
    void SelectAll();
    void SetFocus(int index);  // gives the keyboard focus to one entry

    // 17, or 18 while the scan's mark column exists.
    int ColumnCount() const { return markColumn_ ? kColumnCount + 1 : kColumnCount; }
    void AddMarkColumn();
    // Deletes every entry whose mark is not empty (in one pass), then removes the column.
    void DeleteMarkedAndRemoveMarkColumn();
    void RemoveMarkColumn();

    // Stable sort by one column's text with the list pane's compare rule (first 29 bytes,
    // ASCII folded to lower case unless caseSensitive).
    void Sort(int column, bool descending, bool caseSensitive);

    const Entry& At(int index) const { return entries_[index]; }

  private:
    void InvalidateIndex() { indexValid_ = false; }
    void RebuildIndex() const;

    std::vector<Entry> entries_;
    bool markColumn_ = false;
    mutable std::unordered_map<std::string, int> exact_;   // name -> first index
    mutable std::unordered_map<std::string, int> folded_;  // folded name -> first index
    mutable bool indexValid_ = true;
};

// The compare rule of the column sort: <0, 0 or >0.
int CompareForSort(std::string_view a, std::string_view b, bool caseSensitive);

}  // namespace mirulane
