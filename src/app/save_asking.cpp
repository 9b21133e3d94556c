#include "app/save_asking.h"

namespace mirulane {

SaveResult SaveAlbumAsking(Session& s, const AskSaveName& askName) {
    while (auto path = askName(ProposedSaveName(s))) {
        SaveResult result = SaveAlbumAs(s, *path);
        if (result != SaveResult::NeedsName) return result;
    }
    return SaveResult::NotSaved;
}

SaveResult SaveOrAsk(Session& s, const AskSaveName& askName) {
    SaveResult result = SaveAlbum(s);
    return result == SaveResult::NeedsName ? SaveAlbumAsking(s, askName) : result;
}

SaveResult SavePromptAsking(Session& s, const AskSaveName& askName, SaveAsk ask) {
    SaveResult result = SavePrompt(s, ask);
    if (result != SaveResult::NeedsName) return result;
    while (auto path = askName(ProposedSaveName(s))) {
        result = SaveAlbumTo(s, *path);
        if (result != SaveResult::NeedsName) return result;
    }
    return ask == SaveAsk::Closing ? SaveResult::Cancelled : SaveResult::NotSaved;
}

}  // namespace mirulane
