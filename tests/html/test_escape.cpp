// Texts from the files themselves in pages: names and camera data show as they are and never
// become markup; links lead a browser to the very file, two-byte characters included.

#include <gtest/gtest.h>

#include "html/escape.h"
#include "platform/cp932.h"

namespace mirulane {
namespace {

TEST(EscapeHtml, NamesShowAsTheyAreAndCutsKeepReferencesWhole) {
    EXPECT_EQ(EscapeHtml("\"><img src=x onerror=alert(2)>"),
              "&quot;&gt;&lt;img src=x onerror=alert(2)&gt;");
    EXPECT_EQ(EscapeHtml("Tom's & Jerry's"), "Tom&#39;s &amp; Jerry&#39;s");
    EXPECT_EQ(EscapeHtml("P1"), "P1");
    // Second bytes of two-byte characters are never taken for ASCII.
    std::string kanji = Sj("表示ソ能");
    EXPECT_EQ(EscapeHtml(kanji), kanji);
    // A cut falls before a reference or a character that would not fit whole.
    EXPECT_EQ(EscapeHtml("ab&cd", 6), "ab");
    EXPECT_EQ(EscapeHtml("ab&cd", 7), "ab&amp;");
    EXPECT_EQ(EscapeHtml("a" + kanji, 4), "a" + kanji.substr(0, 2));
}

TEST(EscapeCameraText, LineBreaksStayLineBreaks) {
    EXPECT_EQ(EscapeCameraText("<script>alert(1)</script>"),
              "&lt;script&gt;alert(1)&lt;/script&gt;");
    EXPECT_EQ(EscapeCameraText("Line 1<br>Line 2 <BR> a<b"), "Line 1<br>Line 2 &lt;BR&gt; a&lt;b");
    EXPECT_EQ(EscapeCameraText("x<br>", 4), "x");  // "<br>" is never cut in two
}

TEST(LinkPath, KeepsTwoByteCharactersAndEncodesWhatWouldBreakALink) {
    EXPECT_EQ(LinkPath("../thumb/P1.jpg"), "../thumb/P1.jpg");
    EXPECT_EQ(LinkPath("../\"><img src=x onerror=alert(2)>.jpg"),
              "../%22%3E%3Cimg%20src=x%20onerror=alert(2)%3E.jpg");
    EXPECT_EQ(LinkPath("a #1 100%?.jpg"), "a%20%231%20100%25%3F.jpg");
    EXPECT_EQ(LinkPath("Tom's & c:d.jpg"), "Tom%27s%20&amp;%20c%3Ad.jpg");
    EXPECT_EQ(LinkPath("tab\there"), "tab%09here");
    // Shift-JIS characters stay as they are, whatever their second byte; the browser reads
    // them from the page as characters and asks for the file by them.
    std::string name = Sj("表\\ソ.jpg");  // 表 and ソ end in 0x5C; the backslash between is a
    EXPECT_EQ(LinkPath(name), Sj("表/ソ.jpg"));  // separator, written as a link writes one
    // A lead byte without its second byte stands alone; what follows is still encoded.
    EXPECT_EQ(LinkPath("\x82\""), "\x82%22");
    EXPECT_EQ(LinkPath("ab#", 4), "ab");
}

}  // namespace
}  // namespace mirulane
