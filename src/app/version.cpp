#include "app/version.h"

namespace mirulane {

std::string_view ProgramVersion() { return MIRULANE_VERSION; }

}  // namespace mirulane
