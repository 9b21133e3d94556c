#include "album/entry_list.h"

#include <algorithm>

#include "album/media.h"
#include "platform/cp932.h"

namespace mirulane {
namespace {

KindIcon IconOf(std::string_view name) {
    switch (KindOfName(name)) {
        case MediaKind::Image:
            return KindIcon::Image;
        case MediaKind::Video:
            return KindIcon::Video;
        default:
            return KindIcon::Other;
    }
}

}  // namespace

int EntryList::Append(std::string_view fileName) {
    Entry e;
    e.fields[COL_FILE] = std::string(fileName);
    e.icon = IconOf(fileName);
    const int index = Count();
    if (observer_) observer_->RowsAboutToBeInserted(index, index);
    entries_.push_back(std::move(e));
    if (indexValid_) {
        exact_.try_emplace(std::string(fileName), index);
        folded_.try_emplace(FoldCase(fileName), index);
    }
    if (observer_) observer_->RowsInserted(index, index);
    return index;
}

void EntryList::RebuildIndex() const {
    exact_.clear();
    folded_.clear();
    exact_.reserve(entries_.size());
    folded_.reserve(entries_.size());
    for (int i = 0; i < Count(); ++i) {
        const std::string& name = entries_[i].fields[COL_FILE];
        exact_.try_emplace(name, i);
        folded_.try_emplace(FoldCase(name), i);
    }
    indexValid_ = true;
}

int EntryList::FindExact(std::string_view fileName) const {
    if (!indexValid_) RebuildIndex();
    auto it = exact_.find(std::string(fileName));
    return it == exact_.end() ? -1 : it->second;
}

int EntryList::Find(std::string_view fileName) const {
    int exact = FindExact(fileName);
    if (exact >= 0) return exact;
    auto it = folded_.find(FoldCase(fileName));
    return it == folded_.end() ? -1 : it->second;
}

void EntryList::SetField(int index, int column, std::string_view text) {
    if (index < 0 || index >= Count() || column < 0 || column >= kColumnCount) return;
    std::string& field = entries_[index].fields[column];
    if (field == text) return;
    field.assign(text);
    if (column == COL_FILE) InvalidateIndex();
    if (observer_) observer_->FieldChanged(index, column);
}

const std::string& EntryList::Field(int index, int column) const {
    static const std::string kEmpty;
    if (index < 0 || index >= Count() || column < 0 || column >= kColumnCount) return kEmpty;
    return entries_[index].fields[column];
}

void EntryList::RemoveRange(int first, int last) {
    if (observer_) observer_->RowsAboutToBeRemoved(first, last);
    entries_.erase(entries_.begin() + first, entries_.begin() + last + 1);
    InvalidateIndex();
    if (observer_) observer_->RowsRemoved(first, last);
}

void EntryList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    RemoveRange(index, index);
}

void EntryList::DeleteAll() {
    if (observer_) observer_->AboutToReset();
    entries_.clear();
    exact_.clear();
    folded_.clear();
    indexValid_ = true;
    if (observer_) observer_->Reset();
}

void EntryList::ReplaceWith(EntryList&& other) {
    if (observer_) observer_->AboutToReset();
    entries_ = std::move(other.entries_);
    exact_ = std::move(other.exact_);
    folded_ = std::move(other.folded_);
    indexValid_ = other.indexValid_;
    other.entries_.clear();
    other.exact_.clear();
    other.folded_.clear();
    other.indexValid_ = true;
    if (observer_) observer_->Reset();
}

int EntryList::DeleteRows(const std::vector<bool>& which) {
    int deleted = 0;
    // From the highest block down, so the rows of the blocks still to come keep their numbers.
    for (int last = std::min(Count(), static_cast<int>(which.size())) - 1; last >= 0; --last) {
        if (!which[last]) continue;
        int first = last;
        while (first > 0 && which[first - 1]) --first;
        RemoveRange(first, last);
        deleted += last - first + 1;
        last = first;
    }
    return deleted;
}

int EntryList::DeleteSelected(int& currentEntry) {
    std::vector<bool> selected(entries_.size());
    for (int i = 0; i < Count(); ++i) selected[i] = entries_[i].selected;
    if (currentEntry >= 0 && currentEntry < Count()) {
        if (selected[currentEntry]) {
            currentEntry = -1;
        } else {
            // The entry shown stays the one shown, wherever it now stands.
            currentEntry -= static_cast<int>(
                std::count(selected.begin(), selected.begin() + currentEntry, true));
        }
    }
    return DeleteRows(selected);
}

int EntryList::SelectedCount() const {
    return static_cast<int>(
        std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.selected; }));
}

int EntryList::FirstSelected() const {
    for (int i = 0; i < Count(); ++i) {
        if (entries_[i].selected) return i;
    }
    return -1;
}

int EntryList::FocusedSelected() const {
    for (int i = 0; i < Count(); ++i) {
        if (entries_[i].selected && entries_[i].focused) return i;
    }
    return -1;
}

void EntryList::Select(int index) {
    if (index < 0 || index >= Count()) return;
    entries_[index].selected = true;
    entries_[index].focused = false;
    if (observer_) observer_->SelectionChanged();
}

void EntryList::Deselect(int index) {
    if (index < 0 || index >= Count()) return;
    entries_[index].selected = false;
    entries_[index].focused = false;
    if (observer_) observer_->SelectionChanged();
}

void EntryList::SelectAll() {
    for (auto& e : entries_) {
        e.selected = true;
        e.focused = false;
    }
    if (observer_) observer_->SelectionChanged();
}

void EntryList::SetSelection(const std::vector<bool>& which) {
    for (size_t i = 0; i < entries_.size(); ++i)
        entries_[i].selected = i < which.size() && which[i];
    if (observer_) observer_->SelectionChanged();
}

void EntryList::SetFocus(int index) {
    for (auto& e : entries_) e.focused = false;
    if (index >= 0 && index < Count()) entries_[index].focused = true;
    if (observer_) observer_->SelectionChanged();
}

int CompareForSort(std::string_view a, std::string_view b, bool caseSensitive) {
    constexpr size_t kKeyBytes = 29;
    a = a.substr(0, std::min(a.size(), kKeyBytes));
    b = b.substr(0, std::min(b.size(), kKeyBytes));
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        // The sort folds every byte in A..Z, wherever it stands (a plain byte-wise rule).
        if (!caseSensitive) {
            if (x >= 0x41 && x <= 0x5A) x += 0x20;
            if (y >= 0x41 && y <= 0x5A) y += 0x20;
        }
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::vector<int> EntryList::Sort(int column, bool descending, bool caseSensitive) {
    if (column < 0 || column >= kColumnCount) return {};
    if (observer_) observer_->LayoutAboutToChange();
    // The rows are sorted as old row numbers, so the move of every row is known at the end.
    std::vector<int> order(entries_.size());
    for (int i = 0; i < Count(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        int c =
            CompareForSort(entries_[x].fields[column], entries_[y].fields[column], caseSensitive);
        return descending ? c > 0 : c < 0;
    });
    std::vector<Entry> sorted;
    sorted.reserve(entries_.size());
    std::vector<int> newRowOfOldRow(entries_.size());
    for (int row = 0; row < Count(); ++row) {
        sorted.push_back(std::move(entries_[order[row]]));
        newRowOfOldRow[order[row]] = row;
    }
    entries_ = std::move(sorted);
    InvalidateIndex();
    if (observer_) observer_->LayoutChanged(newRowOfOldRow);
    return newRowOfOldRow;
}

}  // namespace mirulane
