#pragma once
// The thumbnail step of the extraction run: writes the thumbnail file made from what the Exif
// reader found in a picture to the output folder, byte for byte, asking before it replaces a
// file.

#include <optional>
#include <string_view>

#include "platform/fs.h"
#include "platform/output_manifest.h"
#include "platform/overwrite_policy.h"
#include "platform/problem.h"

namespace mirulane {

// Where the step writes, and the run state it shares with the other entries of a run.
struct ThumbnailOutput {
    OverwritePolicy& overwrite;
    std::string_view folder;  // CP932; a separator is added unless it ends in one
    // Files never replaced by a thumbnail: the album's pictures (a hard link to one in the
    // output folder, say).
    const FileIdSet* keep = nullptr;
    // The run's output ledger: a file that already holds the thumbnail is left alone, one that
    // holds what the program wrote is replaced without a question, and what is written is
    // recorded. Without one (a step on its own) such a file is still left alone, but nothing
    // is recorded.
    OutputLedger* outputs = nullptr;
};

enum class ThumbnailWrite {
    Written,       // or the file already holds the thumbnail
    Declined,      // the user answered "no"
    NoFileName,    // empty, or a name that would lead out of the output folder
    CannotCreate,  // the file could not be created or put in place
    WriteFailed,   // storing its bytes failed
    Refused,       // the output file is one of `keep`: left alone
    Cancelled,     // the user cancelled the overwrite confirmation: the run ends
};

// What became of one thumbnail, and for the three failures the problem to tell
// (ThumbnailNotWritten with the step that failed).
struct ThumbnailWritten {
    ThumbnailWrite result = ThumbnailWrite::Written;
    std::optional<Problem> problem;
};

// Writes `bytes` as fileName (CP932, the entry's name) in the output folder; `source`: the
// stamp of the picture a made thumbnail comes from, recorded with it (null for a copied one).
ThumbnailWritten WriteThumbnail(ThumbnailOutput& out, std::string_view fileName,
                                std::string_view bytes, const SourceStamp* source = nullptr);

}  // namespace mirulane
