#pragma once
// What the program wrote into its output folders, so that a later run can tell its own files
// from files a user edited or put there. Each output folder keeps a hidden manifest: one line
// per file the program wrote, with a hash of the bytes it wrote under that name. A run then
// writes each output file by what it finds:
// - nothing there: written;
// - exactly the new bytes: left alone, no question;
// - exactly the bytes the program last wrote there: replaced without a question;
// - anything else (an edited file, a file the manifest does not know, a link): the caller's
//   overwrite question decides.
// The manifests are read once per folder when a run first looks at a file there and saved
// once at the end of the run.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs.h"
#include "platform/interaction.h"
#include "platform/overwrite_policy.h"

namespace mirulane {

// The manifest's file name in each output folder.
inline constexpr std::string_view kManifestName = ".mirulane-manifest";

// 64-bit FNV-1a. It tells a file someone changed from the one the program wrote; it is no
// defence against a file made on purpose to match (nobody gains anything by that).
uint64_t ContentHash(std::string_view bytes);

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

// What a run did with its output files.
struct OutputTally {
    int written = 0;
    int unchanged = 0;
    std::vector<std::string> keptEdited;  // CP932 paths: kept, differing from what was written
    int keptUnknown = 0;                  // kept, not known to be the program's
    int recordFailures = 0;               // manifests that could not be saved

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
    OutputState Examine(std::string_view path, std::string_view bytes);

    // Writes one output file as its state says, asking `confirm` about a file that is not
    // the program's (an empty `confirm` replaces it without asking). Every write goes through
    // WriteGeneratedFile with `keep`; what is written is recorded, and counted.
    OutputWrite Write(std::string_view path, std::string_view bytes, const FileIdSet* keep,
                      const std::function<OutputDecision()>& confirm);

    // Saves the manifest of every folder where something was recorded; a manifest that
    // cannot be written is told with a message and counted in the tally. The number of such
    // failures.
    int Save(Interaction& ui);

    const OutputTally& Tally() const { return tally_; }

  private:
    struct Folder {
        std::string manifestPath;                 // CP932
        std::map<std::string, uint64_t> records;  // file name -> hash
        std::set<std::string> changed;            // names recorded by this run
    };
    // The folder of `path` (its manifest loaded on first use) and the file's name in it;
    // nullptr when the folder cannot be found.
    Folder* FolderOf(std::string_view path, std::string& name);
    void Record(std::string_view path, std::string_view bytes);

    std::map<FileId, Folder> folders_;
    std::map<std::string, FileId, std::less<>> folderIds_;  // folder as spelled -> identity
    OutputTally tally_;
};

}  // namespace mirulane
