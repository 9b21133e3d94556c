#pragma once
// The file names of the detail pages of one run. A page is named after its entry's base name
// (P1.JPG gets P1.html). Where that name is already taken, by an earlier entry with the same
// base name (a.jpg and a.png, or A.jpg and a.jpg: names that differ only in letter case are
// the same file once the album is copied to a disk that ignores case) or by the list page or
// the top page in the same folder, the entry gets a name of its own made from its extension
// (a_png.html). Every writer and every link takes the names from here, so a link always leads
// to the page written for its entry.

#include <string>
#include <vector>

#include "album/media.h"

namespace mirulane {

struct Album;

// The entry's file name as the pages use it (cut to the size of a value slot).
std::string EntryFileName(const Album& album, int index);

class PageNames {
  public:
    // Why an entry gets no page.
    enum class Missing {
        None,
        Unrepresentable,  // its name is not a Shift-JIS text the file system can take
        LeavesFolder,     // its name is empty or would lead out of the target folder
    };

    explicit PageNames(const Album& album);

    // The page file name of entry `index` (no folder), empty when the entry gets no page.
    const std::string& Name(int index) const { return names_[index]; }
    bool HasPage(int index) const { return !names_[index].empty(); }
    Missing Why(int index) const { return missing_[index]; }

    // The pages are numbered 1 to PageCount() in album order (_PGCUR_, _PGTOTAL_); an entry
    // without a page has the number its page would have.
    int Number(int index) const { return number_[index]; }
    int PageCount() const { return pageCount_; }
    // The nearest entry before or after `index` that has a page, or -1.
    int Previous(int index) const { return previous_[index]; }
    int Next(int index) const { return next_[index]; }
    // The first entry with a page, or -1.
    int First() const { return first_; }

  private:
    std::vector<std::string> names_;
    std::vector<Missing> missing_;
    std::vector<int> number_;
    std::vector<int> previous_;
    std::vector<int> next_;
    int pageCount_ = 0;
    int first_ = -1;
};

// What the writers of one run (or one preview) share: the picture look-ups, each folder listed
// once, and the page names. Made from the album as it is; make a new one after it changes.
struct PageRun {
    explicit PageRun(const Album& album) : pages(album) {}
    ImageLocator locator;
    PageNames pages;
};

}  // namespace mirulane
