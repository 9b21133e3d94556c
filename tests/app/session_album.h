#pragma once
// The page tests' album on disk held in a whole session, for the runs of app that take one.

#include "app/session.h"
#include "support/page_album.h"

namespace mirulane::testing {

using SessionAlbum = PageAlbumOf<Session>;

}  // namespace mirulane::testing
