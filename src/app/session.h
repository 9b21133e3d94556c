#pragma once
// What a front end holds for one running program: the settings, the open album and the way
// to talk to the user. Core operations take it (or its parts) by reference.

#include "album/album.h"
#include "album/settings.h"
#include "platform/fs.h"
#include "platform/interaction.h"

namespace mirulane {

struct Session {
    explicit Session(Interaction& ui) : ui(ui) {}

    Interaction& ui;
    Settings settings;
    Album album;
    // When set, existing output files are replaced without asking. Each generation run and
    // each thumbnail extraction run starts it from EnvForceOverWrite.
    bool overwriteAll = false;
    // The album's pictures, gathered at the start of each generation and thumbnail run:
    // no generated file ever takes the place of one of them.
    FileIdSet pictures;
};

}  // namespace mirulane
