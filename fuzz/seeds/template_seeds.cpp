// Seeds for the template target: every built-in preset, as built in and as exported (CR LF),
// and a list template with markers followed by CR LF.

#include <string>

#include "album/page_style.h"
#include "html/presets.h"
#include "platform/text.h"
#include "seeds/seeds.h"

namespace mirulane::seeds {

void WriteTemplateSeeds(const std::string& folder) {
    for (int i = 0; i < kDetailPresetCount; ++i) {
        WriteSeed(folder, "detail" + std::to_string(i), DetailPreset(i));
    }
    for (int i = 0; i < kListPresetCount; ++i) {
        WriteSeed(folder, "list" + std::to_string(i) + "v", ListPreset(i, false));
        WriteSeed(folder, "list" + std::to_string(i) + "h", ToCrLf(ListPreset(i, true)));
    }
    WriteSeed(folder, "crlf-markers",
              "<table cellspacing=\"_CELLSPC_\">\r\n<!--mirulanestart-->\r\n<td>_TITLE_ _COMM1_"
              "</td>\r\n<!--mirulaneend-->\r\n</table>\r\n");
}

}  // namespace mirulane::seeds
