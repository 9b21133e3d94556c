#include "app/entry_edit.h"

#include <algorithm>

#include "album/album_file.h"
#include "app/album_commands.h"
#include "platform/cp932.h"

namespace mirulane {

const std::array<EditField, kEditFieldCount> kEditFields = {{
    {COL_TITLE, "タイトル(&T):", kEditTextMax},
    {COL_YOMI, "読み(&Y):", kEditTextMax},
    {COL_GROUP, "グループ(&G):", kGroupNameMax},
    {COL_COMM1, "コメント１(&1):", kEditTextMax},
    {COL_COMM2, "コメント２(&2):", kEditTextMax},
    {COL_MAKER, "メーカー(&M):", kEditTextMax},
    {COL_MODEL, "モデル(&O):", kEditTextMax},
    {COL_DTORG, "撮影日時(&D):", kEditTextMax},
    {COL_ISOSR, "ISO感度(&S):", kEditTextMax},
    {COL_SHTSP, "ｼｬｯﾀｰ速度(&H):", kEditTextMax},
    {COL_APRTV, "絞り値(&A):", kEditTextMax},
    {COL_FOLEN, "焦点距離(&L):", kEditTextMax},
    {COL_FLASH, "フラッシュ(&F):", kEditTextMax},
    {COL_EBIAS, "露光補正量(&E):", kEditTextMax},
    {COL_IMGSZ, "画像サイズ(&Z):", kEditTextMax},
}};

namespace {

// Bytes of the UTF-8 character that starts with lead (1 for a stray byte).
size_t Utf8Length(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

bool GroupOrder(const std::string& a, const std::string& b) {
    std::string fa = FoldCase(a), fb = FoldCase(b);
    return fa != fb ? fa < fb : a < b;
}

}  // namespace

TypedText FromTyped(std::string_view utf8) {
    TypedText out;
    if (auto whole = Utf8ToCp932(utf8)) {
        out.cp932 = MendFieldText(*whole);
        return out;
    }
    std::string raw;
    for (size_t i = 0; i < utf8.size();) {
        size_t len = std::min(Utf8Length(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        if (auto c = Utf8ToCp932(utf8.substr(i, len))) {
            raw += *c;
        } else {
            raw += '?';
            ++out.unencodable;
        }
        i += len;
    }
    out.cp932 = MendFieldText(raw);
    return out;
}

TypedEdit CheckTypedEdit(const TypedText& before, const TypedText& after, size_t maxBytes) {
    if (after.unencodable == 0 && after.cp932.size() <= maxBytes) return TypedEdit::Accepted;
    if (after.unencodable > before.unencodable) return TypedEdit::NotShiftJis;
    if (after.cp932.size() > maxBytes && after.cp932.size() > before.cp932.size()) {
        return TypedEdit::TooLong;
    }
    return TypedEdit::Accepted;
}

std::vector<std::string> SortedGroupBox(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), GroupOrder);
    return names;
}

bool AddToGroupBox(std::vector<std::string>& box, std::string_view name) {
    std::string cut(CutAtCharBoundary(name, kGroupNameMax));
    if (cut.empty() || box.size() >= static_cast<size_t>(kGroupCapacity)) return false;
    for (const std::string& g : box) {
        if (EqualsNoCase(g, cut)) return false;
    }
    box.insert(std::upper_bound(box.begin(), box.end(), cut, GroupOrder), cut);
    return true;
}

FileInfoEdit::FileInfoEdit(Session& s)
    : s_(s),
      current_(std::max(0, s.album.entries.FirstSelected())),
      box_(SortedGroupBox(s.album.groups)) {}

bool FileInfoEdit::PreviewFollows() const {
    return s_.settings.EnvPreView != PreviewMode::ListPage;
}

EditTexts FileInfoEdit::Load() {
    EditTexts texts;
    EntryList& entries = s_.album.entries;
    if (current_ >= entries.Count()) return texts;
    entries.Select(current_);
    for (int f = 0; f < kEditFieldCount; ++f) {
        texts[f] = entries.Field(current_, kEditFields[f].column);
    }
    return texts;
}

void FileInfoEdit::Save(const EditTexts& shown) {
    EntryList& entries = s_.album.entries;
    if (current_ >= entries.Count()) return;
    for (int f = 0; f < kEditFieldCount; ++f) {
        entries.SetField(current_, kEditFields[f].column, shown[f]);
    }
    AddToGroupBox(box_, shown[kGroupField]);
    // Every save counts as an edit, even of texts that did not change.
    s_.album.modified = true;
}

void FileInfoEdit::Step(const EditTexts& shown, int step) {
    const int count = s_.album.entries.Count();
    if (count == 0) return;
    Save(shown);
    s_.album.entries.Deselect(current_);
    current_ = ((current_ + step) % count + count) % count;
}

bool FileInfoEdit::DeleteCurrent() {
    Album& album = s_.album;
    if (current_ >= album.entries.Count()) return false;
    album.entries.Deselect(current_);
    album.entries.Delete(current_);
    // The preview's entry keeps pointing at the same entry, or at none once it is gone.
    if (album.currentEntry == current_) {
        album.currentEntry = -1;
    } else if (album.currentEntry > current_) {
        --album.currentEntry;
    }
    current_ = std::min(current_, album.entries.Count() - 1);
    album.modified = true;
    RefreshStatusTexts(s_, StatusRefresh::RowCount);
    return album.entries.Count() > 0;
}

void FileInfoEdit::Confirm(const EditTexts& shown) {
    Save(shown);
    s_.album.groups = box_;
}

void FileInfoEdit::Finish() {
    if (finished_) return;
    finished_ = true;
    EntryList& entries = s_.album.entries;
    if (current_ >= 0 && current_ < entries.Count()) {
        entries.Deselect(current_);
        entries.Select(current_);
    }
    // The steps deselected the entries they left.
    RefreshStatusTexts(s_, StatusRefresh::RowCount);
}

int ApplyBatchEdit(Album& album, const BatchTexts& texts) {
    EntryList& entries = album.entries;
    int edited = 0;
    for (int i = entries.Count() - 1; i >= 0; --i) {
        if (!entries.IsSelected(i)) continue;
        for (int f = 0; f < kEditFieldCount; ++f) {
            if (texts[f]) entries.SetField(i, kEditFields[f].column, *texts[f]);
        }
        ++edited;
    }
    album.modified = true;
    return edited;
}

}  // namespace mirulane
