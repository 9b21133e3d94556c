// Page names of one run: entries keep their base name where it is free; the later entries of a
// clash, and entries that would take the list or top page's file, get names of their own; and
// entries whose names cannot name a file get no page, so nothing links to one.

#include <gtest/gtest.h>

#include "html/page_names.h"
#include "support/page_album.h"

namespace mirulane {
namespace {

using testing::PageAlbum;

std::vector<std::string> Names(const Album& album) {
    PageNames pages(album);
    std::vector<std::string> out;
    for (int i = 0; i < album.entries.Count(); ++i) out.push_back(pages.Name(i));
    return out;
}

TEST(PageNames, LaterEntriesOfAClashGetNamesOfTheirOwn) {
    PageAlbum a;  // list.html and the pages share html/; index.html lies above
    for (const char* name : {"a.jpg", "a.png", "A.JPG", "a_png.jpg", "list.jpg", "index.jpg",
                             "README", "readme", "a.jpg", "b.c.jpg", "B.C.gif"}) {
        a.Add(name);
    }
    EXPECT_EQ(Names(a.session.album),
              (std::vector<std::string>{
                  "a.html",         // first of its name: today's name
                  "a_png_2.html",   // a.html is taken, and a_png.html is a_png.jpg's own
                  "A_JPG.html",     // names that differ only in letter case clash too
                  "a_png.html",     // kept: a made name never takes an entry's own name
                  "list_jpg.html",  // list.html is the list page's
                  "index.html",     // index.html lies in another folder
                  "README.html", "readme_2.html",  // no extension to tell them apart
                  "a_jpg_2.html",                  // the same name twice; A_JPG.html is taken
                  "b.c.html", "B.C_gif.html"}));
}

TEST(PageNames, ListAndTopPageNamesAreTakenOnlyInTheirOwnFolder) {
    PageAlbum a;
    a.Add("list.jpg");
    a.Add("INDEX.JPG");
    a.style().TopFolder = a.style().DetailFolder + "/";  // the same folder, written otherwise
    EXPECT_EQ(Names(a.session.album),
              (std::vector<std::string>{"list_jpg.html", "INDEX_JPG.html"}));
    a.style().ListFolder = a.target;
    a.style().TopFolder = a.target;
    EXPECT_EQ(Names(a.session.album), (std::vector<std::string>{"list.html", "INDEX.html"}));
}

// An entry without a page is left out of the numbering and of the neighbour links, so no link
// ever leads to a page that is not written.
TEST(PageNames, EntriesThatCannotNameAFileGetNoPage) {
    PageAlbum a;
    const std::string bad = "\x82.jpg";  // a lead byte without its second byte
    ASSERT_FALSE(Cp932ToUtf8(bad));
    a.Add(bad);
    a.Add("A.jpg");
    a.Add("../up.jpg");
    a.Add(bad + "x");
    a.Add("B.jpg");
    a.Add(bad);
    PageNames pages(a.session.album);
    EXPECT_EQ(pages.Why(0), PageNames::Missing::Unrepresentable);
    EXPECT_EQ(pages.Why(2), PageNames::Missing::LeavesFolder);
    EXPECT_EQ(pages.Why(1), PageNames::Missing::None);
    EXPECT_FALSE(pages.HasPage(0));
    EXPECT_EQ(pages.Name(0), "");
    EXPECT_EQ(pages.Name(2), "");
    EXPECT_EQ(pages.Name(4), "B.html");
    EXPECT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.First(), 1);
    EXPECT_EQ(pages.Number(1), 1);
    EXPECT_EQ(pages.Number(4), 2);
    EXPECT_EQ(pages.Previous(1), -1);
    EXPECT_EQ(pages.Next(1), 4);
    EXPECT_EQ(pages.Previous(4), 1);
    EXPECT_EQ(pages.Next(4), -1);

    PageAlbum none;
    none.Add(bad);
    EXPECT_EQ(PageNames(none.session.album).First(), -1);
}

}  // namespace
}  // namespace mirulane
