// A template file over arbitrary bytes: loading it from disk (inside a private temporary
// folder), then replacing every token with values and switches taken from the same bytes; the
// path and name functions see the bytes as folder names.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "album/page_style.h"
#include "html/templates.h"
#include "html/tokens.h"
#include "platform/paths.h"
#include "support/scripted_interaction.h"

namespace {

// Kept for the whole process (never destroyed), so the clean-up at exit can still name it.
const std::string& TemplatePath() {
    static const std::string* path = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/mrl-fuzz-XXXXXX";
        if (!mkdtemp(folder.data())) std::abort();
        auto* file = new std::string(folder + "/template.html");
        std::atexit([] {
            const std::string& p = TemplatePath();
            unlink(p.c_str());
            rmdir(p.substr(0, p.rfind('/')).c_str());
        });
        return file;
    }();
    return *path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mirulane;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // A plain write (no flush to disk) keeps the runs fast.
    FILE* f = std::fopen(TemplatePath().c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f)) {
        std::abort();
    }
    Expected<std::string> loaded = LoadTemplateFile(TemplatePath());
    std::string text = loaded.value_or({});
    if (loaded && (text.size() > kTemplateMaxBytes || bytes.substr(0, text.size()) != text)) {
        std::abort();
    }

    // Values: consecutive slices of the input; switches: bits of its first bytes.
    PageStyle style;
    TokenValues values;
    for (int i = 0; i < kTokenCount; ++i) {
        size_t from = bytes.empty() ? 0 : (i * 37u) % bytes.size();
        values.slot[i] = std::string(bytes.substr(from, 600));
        unsigned char bits = bytes.empty() ? 0xFF : static_cast<unsigned char>(bytes[i % size]);
        style.tokenSwitch[i] = (bits >> (i % 8)) & 1;
    }
    std::string page = text;
    ReplaceCellSpacing(page, style);
    // The list tokens, then the detail tokens, as a list page's region is filled.
    ReplaceBudget budget;
    ReplaceTokens(page, ListTokenOrder(), values, style, budget);
    ReplaceTokens(page, DetailTokenOrder(), values, style, budget);

    size_t half = bytes.size() / 2;
    (void)RelativeLink(bytes.substr(0, half), bytes.substr(half));
    (void)SplitBaseName(bytes);
    (void)SplitPath(bytes);
    (void)LastComponent(bytes);
    (void)ParentFolder(bytes);
    (void)IsPlainFileName(bytes);
    return 0;
}
