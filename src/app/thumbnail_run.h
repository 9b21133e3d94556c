#pragma once
// The thumbnail extraction run: copies the Exif thumbnails of all (or the selected) entries
// into an output folder. The dialog (or the command line) supplies the folders and shows the
// progress; the run asks and reports through the session's interaction.

#include <functional>
#include <string>

namespace mirulane {

struct Session;

struct ThumbnailRunRequest {
    std::string targetFolder;  // CP932, as the album holds it
    std::string outputFolder;  // CP932, as typed
    bool selectedOnly = false;
    // Called once with (0, n) before the first entry, then with (i, n) before the i-th.
    std::function<void(int i, int n)> progress;
};

// Run statuses: the folder checks that keep the dialog open.
inline constexpr int kThumbRunDone = 0;
inline constexpr int kThumbRunNoOutputFolder = -1;  // the output folder cannot be created
inline constexpr int kThumbRunOutputIsTarget = -2;  // the output folder is the target folder

struct ThumbnailRunResult {
    int status = kThumbRunDone;
    int processed = 0;  // successes plus failures
    int succeeded = 0;
    // Entries whose thumbnail file could not be created or written, or was refused because
    // it is one of the album's pictures (a file without a thumbnail is not counted).
    int writeFailed = 0;
    bool cancelled = false;  // the user cancelled an overwrite confirmation
};

// Starts the overwrite-all flag from EnvForceOverWrite, prepares and checks the folders
// (messages shown here), extracts, and shows the summary unless cancelled. On kThumbRunDone
// the dialog closes as confirmed and the caller stores the output folder as ThumbFolder.
ThumbnailRunResult RunThumbnailExtraction(Session& session, const ThumbnailRunRequest& request);

}  // namespace mirulane
