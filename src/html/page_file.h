#pragma once
// Writing one generated file: the overwrite confirmation before an existing file is replaced,
// and the text-mode write itself (each LF as CR LF, the file replaced as a whole or not at
// all, every failure reported).

#include <string_view>

#include "platform/fs.h"
#include "platform/interaction.h"
#include "platform/overwrite_policy.h"

namespace mirulane {

class EntryList;

// What the page writers of one run share: whom to tell, the run's overwrite policy, and the
// files no page may take the place of (the album's pictures; null: none).
struct PageOutput {
    Interaction& ui;
    OverwritePolicy& overwrite;
    const FileIdSet* keep = nullptr;
};

using ReplaceDecision = OverwritePolicy::Decision;

// The outcome of a page step.
enum class StepResult {
    Written,    // done (pages the user kept and entries passed over included)
    Kept,       // the user kept the existing file: nothing of the step is written
    Failed,     // a message says why
    Cancelled,  // the user cancelled: the run ends
};

// Asks before replacing an existing file, as the run's overwrite policy decides.
ReplaceDecision ConfirmReplace(PageOutput& out, std::string_view path);

// The outcome of writing a page: 0 or the errno of the failure, and the step that failed as
// the platform layer saw it. The page writers report a failure to create the file (or to put
// it in place) and a failure to store its bytes with different messages.
struct PageWrite {
    int error = 0;
    WriteStage stage = WriteStage::None;
};

// Writes a page in text mode: each LF becomes CR LF on disk. The page appears under its name
// only when complete, a symbolic link in its place is replaced rather than written through,
// and a file that is one of out.keep is kept: the write is then refused with its own message
// (stage Refused), the caller shows nothing more.
PageWrite WriteTextFile(PageOutput& out, std::string_view path, std::string_view text);

// The pictures and movies among the entries, as files in the target folder, by identity: the
// files a run's generated files never take the place of.
FileIdSet AlbumPictures(const EntryList& entries, std::string_view targetFolder);

}  // namespace mirulane
