#pragma once
// A folder of the fuzz target's own under TMPDIR (else /tmp), made at the first call, for
// targets whose readers take files rather than bytes.

#include <stdlib.h>

#include <string>

namespace mirulane::fuzz {

inline const std::string& Folder() {
    static const std::string folder = [] {
        const char* tmp = getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/mrl-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) abort();
        return pattern;
    }();
    return folder;
}

}  // namespace mirulane::fuzz
