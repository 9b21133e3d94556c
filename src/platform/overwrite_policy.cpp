#include "platform/overwrite_policy.h"

#include "platform/fs.h"

namespace mirulane {

OverwritePolicy::OverwritePolicy(Interaction& ui, bool overwriteAll)
    : ui_(ui), overwriteAll_(overwriteAll) {}

OverwritePolicy::Decision OverwritePolicy::Confirm(std::string_view path) {
    if (overwriteAll_ || !FileExists(path)) return Decision::Write;
    return Ask(path);
}

OverwritePolicy::Decision OverwritePolicy::ConfirmForeign(std::string_view path) {
    return Ask(path);
}

OverwritePolicy::Decision OverwritePolicy::Ask(std::string_view path) {
    switch (ui_.ConfirmOverwrite(path)) {
        case OverwriteAnswer::Yes:
            return Decision::Write;
        case OverwriteAnswer::All:
            overwriteAll_ = true;
            return Decision::Write;
        case OverwriteAnswer::No:
            return Decision::Skip;
        case OverwriteAnswer::Cancel:
            break;
    }
    return Decision::Cancel;
}

}  // namespace mirulane
