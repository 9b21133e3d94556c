#pragma once
// What the program wrote into its output folders, so that a later run can tell its own files
// from files a user edited or put there. Each output folder keeps a hidden manifest: one line
// per file the program wrote, with a hash of the bytes it wrote under that name, their size,
// the file's modification time as written, the kind of output (page or thumbnail) and, for a
// thumbnail made from a picture, the picture's stamp. A run then writes each output file by
// what it finds:
// - nothing there: written;
// - exactly the new bytes: left alone, no question;
// - exactly the bytes the program last wrote there: replaced without a question;
// - what the program wrote but changed since (Edited): the caller's overwrite question
//   decides, which "overwrite all" (--force) answers;
// - a file the manifest does not know, or a link (Unknown): only the user's own answer about
//   that very file replaces it.
// Whether the file still is what the program wrote is told by its size and modification
// time; only when they differ from the record is the file read back.
// Each write is recorded as it happens in a journal beside the manifest, so a run that is
// killed leaves its files known as the program's; the journal is merged into the manifest and
// removed when the run saves.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs.h"
#include "platform/overwrite_policy.h"
#include "platform/problem.h"

namespace mirulane {

// The manifest's file name in each output folder, and its journal's.
inline constexpr std::string_view kManifestName = ".mirulane-manifest";
inline constexpr std::string_view kJournalName = ".mirulane-manifest-journal";

// 64-bit FNV-1a. It tells a file someone changed from the one the program wrote; it is no
// defence against a file made on purpose to match (nobody gains anything by that).
uint64_t ContentHash(std::string_view bytes);

// What a recorded file is. A run removes the leftovers of its own kind only (a thumbnail
// folder may also be the page folder); Unrecorded: written by a version that did not say.
enum class OutputKind : char { Page = 'p', Thumbnail = 't', Movie = 'm', Unrecorded = '?' };

// The names (CP932) of the files that the manifest of `folder` (and its journal) says the
// program wrote there; empty when it has none.
std::set<std::string> RecordedOutputs(std::string_view folder);

// The picture a thumbnail was made from, as it was then, and the box it was made to fit.
struct SourceStamp {
    uint64_t size = 0;
    int64_t mtimeNs = 0;
    int boxWidth = 0;
    int boxHeight = 0;
    bool operator==(const SourceStamp&) const = default;
};

// An output file about to be written, as found on disk.
enum class OutputState {
    Absent,     // nothing there (or a link to nothing)
    Unchanged,  // it holds exactly the new bytes
    Own,        // it holds exactly what the program last wrote under its name
    Edited,     // the program wrote it, but it holds something else now
    Unknown,    // the manifest does not know it, or it is not a plain file
};

// The answer to the overwrite question about one file: Write replaces it, Skip keeps it and
// goes on, Cancel keeps it and ends the run.
using OutputDecision = OverwritePolicy::Decision;

// The question asked before an existing file that does not hold the new bytes is replaced,
// told what the file is (Edited or Unknown).
using OutputConfirm = std::function<OutputDecision(OutputState)>;

// The run's question about `path` (CP932): an Edited file as the policy asks (overwrite-all
// answers it), or replaced without a question when !askEdited (a companion file); an Unknown
// file is always put to the user by itself.
OutputConfirm AskBeforeReplacing(OverwritePolicy& policy, std::string path, bool askEdited = true);

// What a run did with its output files.
struct OutputTally {
    int written = 0;
    int unchanged = 0;
    std::vector<std::string> keptEdited;   // CP932 paths: kept, differing from what was written
    std::vector<std::string> keptUnknown;  // CP932 paths: kept, not known to be the program's
    int removed = 0;         // the program's own files of outputs the run no longer makes
    int recordFailures = 0;  // manifests that could not be saved

    void Add(const OutputTally& other);
};

// The outcome of one output file: Failed carries the errno and the step of the write that
// failed, as WriteGeneratedFile reports them.
enum class OutputOutcome { Written, Unchanged, Kept, Cancelled, Failed };
struct OutputWrite {
    OutputOutcome outcome = OutputOutcome::Written;
    int error = 0;
    WriteStage stage = WriteStage::None;
};

// The manifests of one run's output folders and the run's counts.
class OutputLedger {
  public:
    // record false: what is written is judged by the manifests but recorded nowhere, neither
    // in a journal nor by Save (a write on its own, outside any run).
    explicit OutputLedger(bool record = true);
    ~OutputLedger();
    OutputLedger(const OutputLedger&) = delete;
    OutputLedger& operator=(const OutputLedger&) = delete;

    OutputState Examine(std::string_view path, std::string_view bytes);

    // Writes one output file as its state says, asking `confirm` about a file that is Edited
    // or Unknown (an empty `confirm` replaces an Edited file and keeps an Unknown one). A file
    // that is one of `keep` is never replaced nor asked about (Failed, stage Refused). Every
    // write goes through WriteGeneratedFile; what is written is recorded (with its kind, and
    // the source of a thumbnail made from a picture), and counted.
    OutputWrite Write(std::string_view path, std::string_view bytes, const FileIdSet* keep,
                      const OutputConfirm& confirm, OutputKind kind = OutputKind::Page,
                      const SourceStamp* source = nullptr);

    // Write with the content made by `fill` into the new file (a movie copy too large to hold
    // in memory). The file there is judged without the new content: one the program wrote
    // and nobody changed is replaced without a question, any other is asked about as Write
    // asks. A filler that fails fails the write (its code as the error, stage Write).
    OutputWrite WriteFilled(std::string_view path, const FileFiller& fill, const FileIdSet* keep,
                            const OutputConfirm& confirm, OutputKind kind,
                            const SourceStamp* source = nullptr);

    // True when the manifest says the program made the file at `outputPath` from a source
    // with exactly that stamp and the file is unchanged since: the file need not be made
    // again. KeepCurrent then counts it as unchanged and as made by this run.
    bool IsCurrent(std::string_view outputPath, const SourceStamp& source);
    void KeepCurrent(std::string_view outputPath);
    // Counts a path as one the run makes although it wrote nothing there (an entry whose
    // thumbnail could not be had this time): RemoveLeftovers leaves it.
    void Claim(std::string_view outputPath);

    // From BeginBatch to CommitBatch, an existing file that is to be replaced is written to
    // a temporary file only; CommitBatch flushes them all in one step and puts each in place,
    // recording and counting what it placed. Files that were absent are placed at once.
    // Returns the files that could not be placed.
    struct FailedOutput {
        std::string path;  // CP932
        int error = 0;
        WriteStage stage = WriteStage::None;
    };
    void BeginBatch();
    std::vector<FailedOutput> CommitBatch();

    // After a complete run: removes from `folder` each file of `kind` that the manifest says
    // the program wrote, that this run neither wrote, found current nor claimed, and that is
    // unchanged since it was written. A changed one is kept, and its record too. The number
    // removed (also counted in the tally).
    int RemoveLeftovers(std::string_view folder, OutputKind kind);

    // Saves the manifest of every folder where something was recorded (the journal merged
    // in and removed). Each manifest that cannot be written is counted in the tally and
    // returned as a problem (RecordNotSaved).
    std::vector<Problem> Save();

    const OutputTally& Tally() const { return tally_; }

    struct Folder;  // one output folder's records

  private:
    // The folder of `path` (its manifest and journal loaded on first use) and the file's name
    // in it; nullptr when the folder cannot be found.
    Folder* FolderOf(std::string_view path, std::string& name);
    Folder* FolderAt(std::string_view folderText);
    struct Look;
    // Asks `confirm` about an Edited or Unknown file (none: an Edited one is replaced, an
    // Unknown one kept); false, with the outcome in `result` and the file counted as kept,
    // when it is to stay.
    bool MayReplace(std::string_view path, OutputState state, const Look& look,
                    const OutputConfirm& confirm, OutputWrite& result);
    // `bytes` null: the new content is not known beforehand.
    OutputState Inspect(std::string_view path, const std::string_view* bytes, uint64_t hash,
                        Look& look);

    std::map<FileId, std::unique_ptr<Folder>> folders_;
    std::map<std::string, FileId, std::less<>> folderIds_;  // folder as spelled -> identity
    OutputTally tally_;
    bool record_ = true;
    struct Batch;
    std::unique_ptr<Batch> batch_;
};

}  // namespace mirulane
