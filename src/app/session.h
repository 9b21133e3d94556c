#pragma once
// What a front end holds for one running program: the settings, the open album and the way
// to talk to the user. The commands and runs of app/ take it by reference; the layers below
// take only the parts they need.

#include "album/album.h"
#include "album/settings.h"
#include "platform/interaction.h"

namespace mirulane {

struct Session {
    explicit Session(Interaction& ui) : ui(ui) {}

    Interaction& ui;
    Settings settings;
    Album album;
};

}  // namespace mirulane
