#include "html/page_names.h"

#include <unordered_map>
#include <unordered_set>

#include "album/album.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace mirulane {

namespace {

// Entry names longer than a value slot are cut before they are used in any value.
constexpr size_t kNameMax = 511;

// Two output folders are one when their components agree, letter case aside: reserving a
// name once too often costs nothing, sharing a file would cost a page.
bool SameFolder(std::string_view a, std::string_view b) {
    return RelativeLink(FoldCase(a), FoldCase(b)).empty();
}

}  // namespace

std::string EntryFileName(const Album& album, int index) {
    return std::string(CutAtCharBoundary(album.entries.Field(index, COL_FILE), kNameMax));
}

PageNames::PageNames(const Album& album) {
    const int count = album.entries.Count();
    names_.resize(count);
    missing_.resize(count, Missing::None);
    const PageStyle& style = album.style;

    // Folded names already taken in the detail folder. autorun.inf cannot clash: every page
    // name ends in ".html".
    std::unordered_set<std::string> taken;
    if (SameFolder(style.ListFolder, style.DetailFolder)) taken.insert("list.html");
    if (SameFolder(style.TopFolder, style.DetailFolder)) taken.insert("index.html");

    // Every entry that can have its own name keeps it, so adding an entry never renames the
    // page of one that had no clash; the later ones of a clash are named in a second pass.
    std::vector<int> later;
    std::vector<BaseExt> splits(count);
    for (int i = 0; i < count; ++i) {
        std::string name = EntryFileName(album, i);
        if (!IsPlainFileName(name)) {
            missing_[i] = Missing::LeavesFolder;
            continue;
        }
        if (!ToSystemPath(name)) {
            missing_[i] = Missing::Unrepresentable;
            continue;
        }
        splits[i] = SplitBaseName(name);
        std::string page = splits[i].base + ".html";
        if (taken.insert(FoldCase(page)).second) {
            names_[i] = std::move(page);
        } else {
            later.push_back(i);
        }
    }
    // base_ext.html, then base_ext_2.html, base_ext_3.html ... until a name is free; the next
    // number to try is kept per stem, so many entries of one name cost linear time.
    std::unordered_map<std::string, int> nextNumber;
    for (int i : later) {
        const BaseExt& split = splits[i];
        std::string stem = split.ext.empty() ? split.base : split.base + "_" + split.ext;
        int& number = nextNumber[FoldCase(stem)];
        for (;;) {
            std::string page =
                number < 2 ? stem + ".html" : stem + "_" + std::to_string(number) + ".html";
            number = number < 2 ? 2 : number + 1;
            if (taken.insert(FoldCase(page)).second) {
                names_[i] = std::move(page);
                break;
            }
        }
    }

    number_.resize(count);
    previous_.resize(count);
    next_.resize(count);
    int last = -1;
    for (int i = 0; i < count; ++i) {
        previous_[i] = last;
        number_[i] = pageCount_ + 1;
        if (HasPage(i)) {
            ++pageCount_;
            last = i;
        }
    }
    last = -1;
    for (int i = count - 1; i >= 0; --i) {
        next_[i] = last;
        if (HasPage(i)) last = i;
    }
    first_ = last;
}

}  // namespace mirulane
