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
    entries_.push_back(std::move(e));
    int index = Count() - 1;
    if (indexValid_) {
        exact_.try_emplace(std::string(fileName), index);
        folded_.try_emplace(FoldCase(fileName), index);
    }
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
    if (index < 0 || index >= Count() || column < 0 || column >= ColumnCount()) return;
    entries_[index].fields[column] = std::string(text);
    if (column == COL_FILE) InvalidateIndex();
}

const std::string& EntryList::Field(int index, int column) const {
    static const std::string kEmpty;
    if (index < 0 || index >= Count() || column < 0 || column > kColumnCount) return kEmpty;
    return entries_[index].fields[column];
}

int EntryList::GetField(int index, int column, int maxLength, std::string& out) const {
    out.clear();
    if (maxLength <= 0) return 0;
    const std::string& f = Field(index, column);
    out = f.substr(0, std::min(f.size(), static_cast<size_t>(maxLength - 1)));
    return static_cast<int>(out.size());
}

void EntryList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    entries_.erase(entries_.begin() + index);
    InvalidateIndex();
}

void EntryList::DeleteAll() {
    entries_.clear();
    exact_.clear();
    folded_.clear();
    indexValid_ = true;
}

int EntryList::DeleteSelected(int& currentEntry) {
    std::vector<int> selected;
    for (int i = 0; i < Count(); ++i) {
        if (entries_[i].selected) selected.push_back(i);
    }
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        if (*it == currentEntry) currentEntry = -1;
        entries_.erase(entries_.begin() + *it);
    }
    if (!selected.empty()) InvalidateIndex();
    return static_cast<int>(selected.size());
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
}

void EntryList::Deselect(int index) {
    if (index < 0 || index >= Count()) return;
    entries_[index].selected = false;
    entries_[index].focused = false;
}

void EntryList::SelectAll() {
    for (int i = 0; i < Count(); ++i) Select(i);
}

void EntryList::SetFocus(int index) {
    for (auto& e : entries_) e.focused = false;
    if (index >= 0 && index < Count()) entries_[index].focused = true;
}

void EntryList::AddMarkColumn() { markColumn_ = true; }

void EntryList::DeleteMarkedAndRemoveMarkColumn() {
    auto marked = [](const Entry& e) { return !e.fields[kMarkColumn].empty(); };
    auto first = std::remove_if(entries_.begin(), entries_.end(), marked);
    if (first != entries_.end()) {
        entries_.erase(first, entries_.end());
        InvalidateIndex();
    }
    markColumn_ = false;
}

void EntryList::RemoveMarkColumn() {
    markColumn_ = false;
    for (auto& e : entries_) e.fields[kMarkColumn].clear();
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

void EntryList::Sort(int column, bool descending, bool caseSensitive) {
    if (column < 0 || column >= kColumnCount) return;
    std::stable_sort(entries_.begin(), entries_.end(), [&](const Entry& x, const Entry& y) {
        int c = CompareForSort(x.fields[column], y.fields[column], caseSensitive);
        return descending ? c > 0 : c < 0;
    });
    InvalidateIndex();
}

}  // namespace mirulane
