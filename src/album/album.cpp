#include "album/album.h"

#include "platform/cp932.h"

namespace mirulane {

Album::Album() : fileName(NewFileName()) {}

const std::string& Album::NewFileName() {
    static const std::string kNew = Sj("新規");
    return kNew;
}

bool Album::AddGroup(std::string_view name, size_t limit) {
    if (name.empty() || groups.size() >= limit) return false;
    std::string_view cut = CutAtCharBoundary(name, kGroupNameMax);
    for (const auto& g : groups) {
        if (g == cut) return false;
    }
    groups.emplace_back(cut);
    return true;
}

}  // namespace mirulane
