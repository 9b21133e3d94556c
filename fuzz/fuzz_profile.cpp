// The .ini profile parser and the settings load over arbitrary bytes, and a run's changes laid
// over a profile another run left.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "album/settings.h"
#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    mirulane::IniProfile profile("");
    profile.Parse(text);
    const mirulane::IniProfile base = profile;
    mirulane::Settings settings;
    settings.Load(profile);
    settings.EnvLstGrid = !settings.EnvLstGrid;
    settings.Save(profile);
    // The other run's file: the second half of the bytes.
    mirulane::IniProfile other("");
    other.Parse(text.substr(size / 2));
    other.TakeChanges(base, profile);
    if (other.GetInt("Environment", "EnvLstGrid", -1) != (settings.EnvLstGrid ? 1 : 0)) abort();
    (void)other.Serialize();
    return 0;
}
