#pragma once
// Writing one generated file: the overwrite confirmation before an existing file is replaced,
// and the text-mode write itself (each LF as CR LF, the file replaced as a whole or not at
// all, every failure reported).

#include <string_view>
#include <vector>

#include "platform/fs.h"
#include "platform/interaction.h"
#include "platform/output_manifest.h"
#include "platform/overwrite_policy.h"
#include "platform/problem.h"

namespace mirulane {

class EntryList;

// What the page writers of one run share: where progress and status go, the run's overwrite
// policy, the files
// no page may take the place of (the album's pictures; null: none), and the run's output
// ledger, which records what is written (null: a file that already holds the page is still
// left alone, but nothing is recorded).
struct PageOutput {
    Interaction& ui;
    OverwritePolicy& overwrite;
    const FileIdSet* keep = nullptr;
    OutputLedger* outputs = nullptr;
};

// The outcome of a page step.
enum class StepResult {
    Written,    // done (pages the user kept and entries passed over included)
    Kept,       // the user kept the existing file: nothing of the step is written
    Failed,     // a problem says why
    Cancelled,  // the user cancelled: the run ends
};

// A page step's outcome and what the user is to be told of it, in order: why it failed, or
// what it passed over although it did its work.
struct StepOutcome {
    StepResult result = StepResult::Written;
    std::vector<Problem> problems;
};

// The outcome of writing a page: written, unchanged, kept or cancelled at the overwrite
// question, or failed with the errno and the step that failed as the platform layer saw it.
// The page writers report a failure to create the file (or to put it in place) and a failure
// to store its bytes with different messages.
using PageWrite = OutputWrite;

// What a page write does with a file already at its path.
enum class PageRole {
    // A file of the album: left alone when it already holds the page, replaced when it still
    // holds what the program wrote there, otherwise the overwrite confirmation decides. What
    // is written is recorded in the run's output ledger.
    AlbumPage,
    // Written beside the album (autorun.inf) without a question when absent or the
    // program's own, edited or not; otherwise as AlbumPage.
    Companion,
    // A temporary file outside the album: written as it is, recorded nowhere.
    Preview,
};

// Writes a page in text mode: each LF becomes CR LF on disk. The page appears under its name
// only when complete, a symbolic link in its place is replaced rather than written through,
// and a file that is one of out.keep is kept: the write is then refused (stage Refused).
PageWrite WriteTextFile(PageOutput& out, std::string_view path, std::string_view text,
                        PageRole role);

// The problem of a failed page write at `path`: OutputIsPicture when it was refused, else
// `kind` with the errno and the step that failed.
Problem PageWriteProblem(ProblemKind kind, const PageWrite& written, std::string_view path);

// The pictures and movies among the entries, as files in the target folder, by identity: the
// files a run's generated files never take the place of.
FileIdSet AlbumPictures(const EntryList& entries, std::string_view targetFolder);

}  // namespace mirulane
