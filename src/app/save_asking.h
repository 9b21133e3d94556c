#pragma once
// Saving the album when it needs a name: the front end only shows its save chooser (askName,
// which gets the proposed name and gives the chosen CP932 path, or nullopt when the user
// cancelled); the order of the questions is the same in every front end.

#include <functional>
#include <optional>
#include <string>

#include "app/album_commands.h"

namespace mirulane {

using AskSaveName = std::function<std::optional<std::string>(const std::string& proposed)>;

// Save As: asks for a name (proposing ProposedSaveName) and saves there; いいえ to replacing a
// file changed on disk asks for another name. Saved: the album now has that name.
SaveResult SaveAlbumAsking(Session& s, const AskSaveName& askName);

// Save: to the album's own file, or Save As while the album has never been saved.
SaveResult SaveOrAsk(Session& s, const AskSaveName& askName);

// The save prompt (SavePrompt); an album never saved is written under the name asked for,
// and its file name stays as it is (only Save As names the album). Closing: a name chooser
// left without a name is Cancelled too, so the window stays rather than lose the edits.
SaveResult SavePromptAsking(Session& s, const AskSaveName& askName, SaveAsk ask = SaveAsk::GoOn);

}  // namespace mirulane
