#pragma once
// The Exif re-acquire run: reads the camera data of all (or the selected) entries again from
// their files, overwriting the camera-data columns, and tells how many it could read.

namespace mirulane {

struct Session;

struct ReacquireResult {
    int processed = 0;  // successes plus failures
    int succeeded = 0;
    // The user cancelled the progress: the run stopped there (the entries read so far keep
    // their new texts, and the summary counts them).
    bool cancelled = false;
};

// Captures every entry (selectedOnly: the selected ones, in row order) from the album's
// target folder whatever EnvGetExif says, with a progress report per entry (Progress(k, n)
// before the k-th of n entries, Progress(n, n) at the end). The album is marked modified
// after, and the summary
// "%sエントリ %d件のうち、%d件のExif情報取得に成功しました" is shown.
ReacquireResult ReacquireExif(Session& session, bool selectedOnly);

}  // namespace mirulane
