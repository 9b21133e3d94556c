#pragma once
// The playable copies of an album's movies: before its pages are written, every movie that
// today's browsers cannot play as it is (an old camera's Motion-JPEG AVI, an MPEG file, a
// QuickTime clip in another codec) gets an H.264 MP4 copy in the movie folder, which its
// detail page plays. A copy is made once and kept while its movie is unchanged (the folder's
// manifest says what it was made from); a user's file is never replaced by one.

#include <string>
#include <vector>

#include "platform/fs.h"
#include "platform/output_manifest.h"
#include "platform/overwrite_policy.h"
#include "platform/problem.h"

namespace mirulane {

struct Album;
class Interaction;

struct MovieCopiesOutcome {
    bool cancelled = false;  // at the progress or an overwrite question
    int made = 0;
    int current = 0;  // kept: made before from the movie as it is now
    // Problems to tell: the folder that could not be used, or the movies without a copy.
    std::vector<Problem> problems;
};

// Makes the copies the album's movies need, asking `overwrite` before it replaces a file the
// program did not write, reporting progress movie by movie; `keep`: the album's pictures,
// never replaced. After a complete step the program's own copies that no movie needs any
// more go.
MovieCopiesOutcome MakePlayableCopies(const Album& album, Interaction& ui,
                                      OverwritePolicy& overwrite, const FileIdSet* keep,
                                      OutputLedger& outputs);

}  // namespace mirulane
