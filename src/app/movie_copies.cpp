#include "app/movie_copies.h"

#include <atomic>
#include <chrono>
#include <future>

#include "album/album.h"
#include "album/media.h"
#include "html/output_folders.h"
#include "imaging/movie_copy.h"
#include "platform/cp932.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {
namespace {

// Fillers' own failure code: the movie, not the disk, failed.
constexpr int kMovieFailed = -1;

// True when both paths name the same existing folder, however they are spelled.
bool SameFolder(std::string_view a, std::string_view b) {
    std::optional<FileId> ia = GetFileId(a);
    std::optional<FileId> ib = GetFileId(b);
    return ia && ib && *ia == *ib;
}

// Why a movie has no copy, as the item code of MovieCopiesNotMade: the ThumbnailProblem, or
// kCopyNotWritten when its file could not be written.
int FailureCode(const MovieCopy& copy) {
    return copy.writeFailed ? kCopyNotWritten : static_cast<int>(copy.problem);
}

}  // namespace

MovieCopiesOutcome MakePlayableCopies(const Album& album, Interaction& ui,
                                      OverwritePolicy& overwrite, const FileIdSet* keep,
                                      OutputLedger& outputs) {
    MovieCopiesOutcome outcome;
    const PageStyle& style = album.style;
    const EntryList& entries = album.entries;
    const std::string target = EnsureTrailingSeparator(style.TargetFolder);
    const std::string folder = MovieFolder(style);
    // The old picture element plays the file itself.
    if (folder.empty() || style.MovieDynsrc) return outcome;
    // Which movies need a copy is known only by reading them. A probe is quick, but a damaged
    // clip can hold it for seconds and a folder may hold many: the run shows its progress and
    // can be cancelled between clips.
    std::vector<int> movies;
    for (int i = 0; i < entries.Count(); ++i) {
        const std::string& name = entries.Field(i, COL_FILE);
        if (IsVideo(name) && IsPlainFileName(name) && FileExists(target + name)) {
            movies.push_back(i);
        }
    }
    std::vector<int> rows;
    if (!movies.empty()) ui.SetStatus(StatusPane::Message, Sj("動画を調べています..."));
    const int probed = static_cast<int>(movies.size());
    for (int k = 0; k < probed; ++k) {
        if (ui.Progress(k, probed) == ProgressAnswer::Cancel) {
            ui.SetStatus(StatusPane::Message, "");
            outcome.cancelled = true;
            return outcome;
        }
        if (!ProbeMovie(target + entries.Field(movies[k], COL_FILE)).playable) {
            rows.push_back(movies[k]);
        }
    }
    if (!movies.empty()) ui.SetStatus(StatusPane::Message, "");
    if (rows.empty() && !IsDirectory(folder)) return outcome;
    if (MakeFolderPath(folder) != 0) {
        outcome.problems.push_back({.kind = ProblemKind::MovieFolderNotMade, .path = folder});
        return outcome;
    }
    // Copies are never written among the photos.
    if (SameFolder(folder, style.TargetFolder) || SameFolder(folder, style.ImageFolder)) {
        outcome.problems.push_back({.kind = ProblemKind::MovieFolderIsTarget, .path = folder});
        return outcome;
    }
    RemoveStaleTempFiles(folder);

    Problem failures{.kind = ProblemKind::MovieCopiesNotMade};
    bool writeFailed = false;
    const int n = static_cast<int>(rows.size());
    ui.SetStatus(StatusPane::Message, Sj("動画の再生用コピーを作成しています..."));
    for (int k = 0; k < n; ++k) {
        if (ui.Progress(k, n) == ProgressAnswer::Cancel) {
            outcome.cancelled = true;
            break;
        }
        const std::string& name = entries.Field(rows[k], COL_FILE);
        const std::string source = target + name;
        const std::string copyPath = JoinPath(folder, PlayableCopyName(name));
        PathStatus st;
        if (GetPathStatus(source, st) != 0) continue;
        // A link's own time says nothing of its movie: its copy is always made anew.
        const SourceStamp stamp{st.size, st.mtimeNs, 0, 0};
        if (st.isRegular && outputs.IsCurrent(copyPath, stamp)) {
            outputs.KeepCurrent(copyPath);
            ++outcome.current;
            continue;
        }
        // The copy is made on another thread while this one keeps asking the progress, so
        // that a cancel stops it within a moment.
        std::atomic<bool> stop{false};
        MovieCopy made;
        auto fill = [&](int, const std::string& systemPath) {
            auto work = std::async(std::launch::async, [&] {
                return MakePlayableCopy(source, systemPath, MovieLimits{}, &stop);
            });
            using namespace std::chrono_literals;
            while (work.wait_for(50ms) == std::future_status::timeout) {
                if (!stop && ui.Progress(k, n) == ProgressAnswer::Cancel) stop = true;
            }
            made = work.get();
            return made.ok ? 0 : made.writeFailed ? EIO : kMovieFailed;
        };
        OutputWrite written =
            outputs.WriteFilled(copyPath, fill, keep, AskBeforeReplacing(overwrite, copyPath),
                                OutputKind::Movie, st.isRegular ? &stamp : nullptr);
        if (stop) {
            outcome.cancelled = true;
            break;
        }
        switch (written.outcome) {
            case OutputOutcome::Written:
            case OutputOutcome::Unchanged:
                ++outcome.made;
                break;
            case OutputOutcome::Kept:
                break;
            case OutputOutcome::Cancelled:
                outcome.cancelled = true;
                break;
            case OutputOutcome::Failed:
                if (written.error != kMovieFailed) {
                    writeFailed = true;
                    failures.items.emplace_back(name, kCopyNotWritten);
                } else {
                    failures.items.emplace_back(name, FailureCode(made));
                }
                break;
        }
        if (outcome.cancelled) break;
    }
    ui.SetStatus(StatusPane::Message, "");
    // A complete step knows every copy the album needs: the program's own others go.
    if (!outcome.cancelled && !writeFailed) {
        for (int row : rows) {
            outputs.Claim(JoinPath(folder, PlayableCopyName(entries.Field(row, COL_FILE))));
        }
        outputs.RemoveLeftovers(folder, OutputKind::Movie);
    }
    if (!failures.items.empty()) outcome.problems.push_back(std::move(failures));
    return outcome;
}

}  // namespace mirulane
