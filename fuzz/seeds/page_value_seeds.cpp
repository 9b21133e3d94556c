// Seeds for the page-values target: hostile names and camera texts, a chain of token names,
// and a list template of the user's own.

#include <string>

#include "seeds/seeds.h"

namespace mirulane::seeds {

namespace {

// The fields of one entry, separated as the target reads them.
std::string Entry(std::initializer_list<std::string> fields) {
    std::string out;
    for (const std::string& f : fields) out += f + '\x01';
    for (size_t n = fields.size(); n < 17; ++n) out += '\x01';
    return out;
}

}  // namespace

void WritePageValueSeeds(const std::string& folder) {
    WriteSeed(folder, "plain", "\x05" + Entry({"P1.JPG", "Title", "yomi", "group"}) + "");
    WriteSeed(folder, "hostile",
              "\x15" +
                  Entry({"\"><img src=x onerror=alert(2)>.jpg", "\"><img src=x onerror=alert(2)>",
                         "", "", "jpg", "", "", "<script>alert(1)</script>", "Line 1<br>Line 2"}) +
                  Entry({"\x82\xFF.jpg"}) + Entry({"list.jpg"}) + Entry({"a.jpg"}) +
                  Entry({"A.JPG"}));
    // Title -> 85 x _YOMI_ -> 73 x _GROUP_ each -> 73 x _COMM1_ each: past any page's limit.
    WriteSeed(folder, "chain",
              std::string("\x04") +
                  Entry({"C.JPG", std::string("\x02\x09\x55"), std::string("\x02\x0A\x49"),
                         std::string("\x02\x0E\x49")}) +
                  "<!--mirulanestart-->\n_TDTEXT_\n<!--mirulaneend-->\n");
}

}  // namespace mirulane::seeds
