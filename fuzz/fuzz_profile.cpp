// The .ini profile parser and the settings load over arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "album/settings.h"
#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mirulane::IniProfile profile("");
    profile.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    mirulane::Settings settings;
    settings.Load(profile);
    settings.Save(profile);
    (void)profile.Serialize();
    return 0;
}
