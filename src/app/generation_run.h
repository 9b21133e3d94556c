#pragma once
// The generation run: the whole album written in one go (top page and autorun file, list
// page, detail pages), and the create-HTML command that reports its outcome.

#include <string>

namespace mirulane {

class Interaction;
struct OutputTally;
struct Session;

// What became of a generation run. A cancel at an overwrite prompt or of the progress counts
// as a failure of the step it happened in.
enum class GenerationResult {
    Done,  // steps the user skipped included (and movies left without a playable copy, told)
    // Cancelled while the movies' playable copies were made: no page is written.
    MovieCopiesCancelled,
    // The top-page step failed or was cancelled, or the album names no target or page folder
    // (nothing is written then).
    TopPageFailed,
    ListPageFailed,
    DetailPagesFailed,
    // Every page was done, but a folder's record of the written files could not be saved.
    RecordFailed,
};

// Writes the album: the playable copies of its movies first (app/movie_copies.h), then its
// pages. The run's overwrite policy starts from EnvForceOverWrite; all files share
// one picture locator, so each picture folder is listed once, and one set of page names.
// `tally` receives what the run did with each output file.
GenerationResult GenerationRun(Session& session, OutputTally* tally = nullptr);

// Tells that the album's pages could not all be made, after the run told why.
void TellGenerationFailed(Interaction& ui);

// The create-HTML command: runs the generation run; on failure marks the album modified and
// shows "HTMLページの作成に失敗しました"; on success asks whether to show the album in the
// browser. Returns the run's result; `openPath` receives the path of index.html when the user
// wants to see it (the front end opens it), and stays empty otherwise.
GenerationResult CreateHtmlCommand(Session& session, std::string& openPath);

}  // namespace mirulane
