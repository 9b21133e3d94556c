#pragma once
// Helpers shared by the Exif tests.

#include <string>

#include "exif/exif_table.h"
#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane::testing {

// Every item that holds a value, one line each: tag, value text, display text (UTF-8).
inline std::string DumpTable(const ExifTable& table) {
    std::string out;
    for (const auto& item : table.Items()) {
        if (item.value.empty() && item.display.empty()) continue;
        out += Format("%04X|%s|%s\n", item.tag, ToDisplay(item.value).c_str(),
                      ToDisplay(item.display).c_str());
    }
    return out;
}

}  // namespace mirulane::testing
