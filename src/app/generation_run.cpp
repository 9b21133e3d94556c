#include "app/generation_run.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "album/media.h"
#include "app/movie_copies.h"
#include "app/problem_text.h"
#include "app/session.h"
#include "html/detail_page.h"
#include "html/list_page.h"
#include "html/page_file.h"
#include "html/page_names.h"
#include "html/top_page.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/output_manifest.h"
#include "platform/overwrite_policy.h"
#include "platform/paths.h"

namespace mirulane {
namespace {

// An empty folder would mean the working directory, wherever the program happens to run: an
// album that names no target folder or no page folder (a hand-made list file) writes nothing.
std::optional<Problem> MissingFolder(const PageStyle& s) {
    if (s.TargetFolder.empty()) return Problem{.kind = ProblemKind::TargetFolderUnset};
    if (s.TopFolder.empty() || s.ListFolder.empty() || s.DetailFolder.empty()) {
        return Problem{.kind = ProblemKind::PageFoldersUnset};
    }
    return std::nullopt;
}

// The page steps tell what happened as each ends, before the next one asks anything.
bool Failed(const StepOutcome& step, Interaction& ui) {
    Report(ui, step.problems);
    return step.result == StepResult::Failed || step.result == StepResult::Cancelled;
}

// index.html, then autorun.inf beside it unless the user kept index.html.
bool TopPageStepFailed(const Album& album, PageRun& run, PageOutput& out) {
    StepOutcome top = album.style.TopStyle == TopLayout::NoFrames
                          ? WriteListAsTopPage(album, run, out)
                          : WriteTopPage(album, run.pages, out);
    if (Failed(top, out.ui)) return true;
    return top.result == StepResult::Written && Failed(WriteAutorun(album.style, out), out.ui);
}

}  // namespace

GenerationResult GenerationRun(Session& session, OutputTally* tally) {
    Interaction& ui = session.ui;
    const Album& album = session.album;
    const PageStyle& style = album.style;
    if (std::optional<Problem> missing = MissingFolder(style)) {
        Report(ui, *missing);
        return GenerationResult::TopPageFailed;
    }
    const FileIdSet pictures = AlbumPictures(album.entries, style.TargetFolder);
    OverwritePolicy overwrite(ui, session.settings.EnvForceOverWrite);
    OutputLedger outputs;
    PageOutput out{ui, overwrite, &pictures, &outputs};
    // What an earlier run left when it was killed goes, once per output folder.
    std::set<std::string> folders;
    for (const std::string* folder : {&style.TopFolder, &style.ListFolder, &style.DetailFolder}) {
        if (folders.insert(EnsureTrailingSeparator(*folder)).second) RemoveStaleTempFiles(*folder);
    }
    // One locator and one set of page names for the run: the thumbnail and picture folders are
    // each listed once, and every link names the page its entry gets.
    PageRun run(album);
    GenerationResult result = GenerationResult::Done;

    MovieCopiesOutcome movies = MakePlayableCopies(album, ui, overwrite, &pictures, outputs);
    Report(ui, movies.problems);
    ui.SetStatus(StatusPane::Message, Sj("トップページを作成しています..."));
    if (movies.cancelled) {
        result = GenerationResult::MovieCopiesCancelled;
    } else if (TopPageStepFailed(album, run, out)) {
        result = GenerationResult::TopPageFailed;
    } else {
        ui.SetStatus(StatusPane::Message, Sj("リストページを作成しています..."));
        if (Failed(WriteListPageStep(album, run, out), ui)) {
            result = GenerationResult::ListPageFailed;
        } else {
            ui.SetStatus(StatusPane::Message, Sj("個別ページを作成しています..."));
            if (Failed(WriteAllDetailPages(album, run, out), ui)) {
                result = GenerationResult::DetailPagesFailed;
            }
        }
    }
    ui.SetStatus(StatusPane::Message, "");
    // A complete run knows every page the album has now: the program's own pages that it no
    // longer makes (those of entries taken out of the album) go, unless changed since.
    if (result == GenerationResult::Done) {
        for (const std::string& folder : folders) outputs.RemoveLeftovers(folder, OutputKind::Page);
    }
    // Also after a failure or a cancel: what was written must be known as the program's.
    std::vector<Problem> unsaved = outputs.Save();
    Report(ui, unsaved);
    if (!unsaved.empty() && result == GenerationResult::Done) {
        result = GenerationResult::RecordFailed;
    }
    if (tally) *tally = outputs.Tally();
    return result;
}

void TellGenerationFailed(Interaction& ui) {
    ui.Message(Sj("HTMLページの作成に失敗しました"), Sj("エラーメッセージ"), MsgIcon::Stop,
               MsgButtons::Ok);
}

GenerationResult CreateHtmlCommand(Session& session, std::string& openPath) {
    openPath.clear();
    GenerationResult result = GenerationRun(session);
    if (result != GenerationResult::Done) {
        session.album.modified = true;
        TellGenerationFailed(session.ui);
        return result;
    }
    MsgAnswer answer =
        session.ui.Message(Sj("HTMLページを作成しました\n\nブラウザで表示してみますか？　　"),
                           Sj("メッセージ"), MsgIcon::Information, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes) openPath = IndexHtmlPath(session.album.style);
    return result;
}

}  // namespace mirulane
