// List and detail pages over an arbitrary template: the split at the repeat markers must give
// back the template, and page building over entries whose names and texts come from the same
// bytes must stay within its buffers. The picture folders do not exist, so nothing is read or
// written on disk.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "album/album.h"
#include "album/media.h"
#include "html/detail_page.h"
#include "html/list_page.h"
#include "html/tokens.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mirulane;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ListTemplateParts parts = SplitListTemplate(bytes);
    if (!parts.invalid) {
        // Put back together with the markers (and the LF each may have swallowed), the parts
        // must be the template again.
        size_t start = bytes.find(kRepeatStart);
        std::string_view afterStart = bytes.substr(start + kRepeatStart.size());
        std::string whole = parts.head + std::string(kRepeatStart) +
                            (afterStart.substr(0, 1) == "\n" ? "\n" : "") + parts.region +
                            std::string(kRepeatEnd);
        std::string_view rest = bytes.substr(whole.size());
        whole += std::string(rest.substr(0, rest.size() - parts.tail.size()));
        if (whole + parts.tail != bytes || rest.size() - parts.tail.size() > 1) std::abort();
    }

    // Entries named by slices of the input; the first byte picks a few options.
    Album album;
    PageStyle& style = album.style;
    style.ImageFolder = style.ThumbFolder = "/nonexistent/mrl-fuzz";
    unsigned char options = size > 0 ? data[0] : 0;
    style.ListTextKind = options & 3;
    style.ImageSizeMode = static_cast<SizeMode>((options >> 2) % 3);
    style.ThumbSizeMode = static_cast<SizeMode>((options >> 4) % 3);
    style.TargetToTop = ((options >> 6) & 1) != 0;
    for (size_t i = 0; i < 3 && i * 7 < size; ++i) {
        int e = album.entries.Append(bytes.substr(i * 7, 9));
        album.entries.SetField(e, COL_TITLE, bytes.substr(i * 5, 13));
        album.entries.SetField(e, COL_COMM1, bytes.substr(i * 3, 21));
    }
    PageRun run(album);
    bool invalid = false;
    std::optional<std::string> page = ListPageText(album, run, bytes, LinkMode::Page, invalid);
    if (invalid != parts.invalid || (page && page->size() > kPageMaxBytes)) std::abort();
    for (int i = 0; i < album.entries.Count(); ++i) {
        DetailPageText(album, run, bytes, i, i == 1 ? LinkMode::Preview : LinkMode::Page);
    }
    return 0;
}
