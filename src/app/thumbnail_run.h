#pragma once
// The thumbnail extraction run: copies the Exif thumbnails of all (or the selected) entries
// into an output folder, and on request makes one for each picture that has none. The dialog (or
// the command line) supplies the folders; the run asks, reports its progress and tells its outcome
// through the session's interaction.

#include <string>
#include <string_view>
#include <vector>

#include "imaging/thumbnail_maker.h"
#include "platform/output_manifest.h"

namespace mirulane {

struct Album;
struct Session;

struct ThumbnailRunRequest {
    std::string targetFolder;  // CP932, as the album holds it
    std::string outputFolder;  // CP932, as typed
    bool selectedOnly = false;
    // Also make a thumbnail (scaled down from the picture) for each JPEG, PNG, GIF or BMP entry
    // that carries none to copy. Off: only embedded thumbnails are copied.
    bool makeMissing = false;
};

// The folder checks that keep the dialog open.
enum class ThumbnailRunStatus {
    Done,
    NoOutputFolder,  // the output folder cannot be created
    OutputIsTarget,  // the output folder is the target folder
};

// A picture whose thumbnail could not be made, and why.
struct PictureFailure {
    std::string fileName;  // CP932, the entry's name
    ThumbnailProblem problem = ThumbnailProblem::NotDecodable;
};

struct ThumbnailRunResult {
    ThumbnailRunStatus status = ThumbnailRunStatus::Done;
    int processed = 0;  // successes plus failures
    int succeeded = 0;  // thumbnails copied or made
    int made = 0;       // of those, the thumbnails made from the picture
    // Entries whose thumbnail file could not be created or written, or was refused because
    // it is one of the album's pictures (a file without a thumbnail is not counted).
    int writeFailed = 0;
    // Pictures that should have had a thumbnail made and gave none (not a picture of the kind
    // their name says, damaged, too large, not decodable), in entry order. Each is named in
    // the summary.
    std::vector<PictureFailure> pictureFailures;
    // The user cancelled an overwrite confirmation or the progress: the run stopped there,
    // without its summary.
    bool cancelled = false;
    // What the run did with each thumbnail file. A thumbnail file that already holds the
    // thumbnail counts as a success: it is there and correct.
    OutputTally outputs;
};

// Makes the run's overwrite policy from EnvForceOverWrite, prepares and checks the folders
// (messages shown here), extracts (and makes) with a progress report per entry (Progress(k, n)
// before the k-th of n entries, Progress(n, n) at the end), and shows the summary unless cancelled.
// On Done the dialog closes as confirmed and the caller stores the
// output folder as ThumbFolder.
ThumbnailRunResult RunThumbnailExtraction(Session& session, const ThumbnailRunRequest& request);

// Sets up what a run that makes thumbnails needs process-wide (the picture decoders): called on
// the program's main thread before the run starts on another. A run started on the main thread
// does it itself.
void PrepareThumbnailRun(const ThumbnailRunRequest& request);

// Why a picture gave no thumbnail, in words for the user (CP932).
std::string ThumbnailProblemText(ThumbnailProblem problem);

// After the dialog's run: the output folder, as typed, becomes the album's ThumbFolder. A
// change marks the album modified, so that the save prompt keeps it.
void StoreThumbFolder(Album& album, std::string_view folder);

}  // namespace mirulane
