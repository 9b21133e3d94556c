#pragma once
// The program's version, shared by both front ends (the desktop About box and
// mirulane-cli --version). The number itself is the CMake project version.

#include <string_view>

namespace mirulane {

// "1.3.0.0": four dot-separated numbers.
std::string_view ProgramVersion();

}  // namespace mirulane
