#include "app/thumbnail_run.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <future>
#include <thread>
#include <vector>

#include "album/media.h"
#include "app/problem_text.h"
#include "app/session.h"
#include "app/thumbnail_step.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"
#include "exif/exif_thumbnail.h"
#include "html/page_file.h"
#include "imaging/movie_poster.h"
#include "imaging/thumbnail_maker.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {
namespace {

class WaitCursor {
  public:
    explicit WaitCursor(Interaction& ui) : ui_(ui) { ui_.SetWaitCursor(true); }
    ~WaitCursor() { ui_.SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    Interaction& ui_;
};

std::string PrepareFolder(std::string_view folder) {
    return folder.empty() ? std::string("./") : EnsureTrailingSeparator(folder);
}

// True when both paths name the same existing folder, however they are spelled ("." parts,
// doubled separators, links): thumbnails written there would replace the photos themselves.
bool SameFolder(std::string_view a, std::string_view b) {
    std::optional<FileId> ia = GetFileId(a);
    std::optional<FileId> ib = GetFileId(b);
    return ia && ib && *ia == *ib;
}

// What the run has for one entry before its turn comes: the embedded thumbnail, or one being
// made from the picture on another thread, or nothing.
struct PreparedThumbnail {
    ExifThumbnail embedded;
    bool found = false;
    std::future<MadeThumbnail> made;  // valid when one is being made
    // The picture as it is now, for a thumbnail made from it (stamped), and whether the
    // output folder already holds the one made from exactly this picture (current).
    SourceStamp source;
    bool stamped = false;
    bool current = false;
};

// The box a made thumbnail fits in: the list page's own when it fits its thumbnails to a box,
// else 160 × 120 (what a camera stores).
void MadeThumbnailBox(const PageStyle& style, int& width, int& height) {
    const bool fit =
        style.ThumbSizeMode == SizeMode::Fit && style.ThumbFitWidth > 0 && style.ThumbFitHeight > 0;
    width = fit ? style.ThumbFitWidth : 160;
    height = fit ? style.ThumbFitHeight : 120;
}

// Waits for a thumbnail being made on another thread, asking the progress every fiftieth of a
// second meanwhile, so that a cancel is seen (and the window stays drawn) while a slow picture
// decodes. False when the user cancelled.
bool AwaitMade(std::future<MadeThumbnail>& made, Interaction& ui, int k, int n) {
    using namespace std::chrono_literals;
    while (made.wait_for(20ms) == std::future_status::timeout) {
        if (ui.Progress(k, n) == ProgressAnswer::Cancel) return false;
    }
    return true;
}

// A picture's thumbnail takes its name; a movie's poster is a JPEG named after the movie.
std::string ThumbnailName(const std::string& fileName) {
    return IsVideo(fileName) ? PosterName(fileName) : fileName;
}

// The summary's lines about pictures without a made thumbnail.
std::string FailureLines(const std::vector<PictureFailure>& failures) {
    if (failures.empty()) return {};
    std::string text =
        SjFormat("\n\n次の %d件はサムネイルを作成できませんでした:", int(failures.size()));
    for (const PictureFailure& f : failures) {
        text += "\n" + f.fileName + ": " +
                DecodeProblemText(static_cast<int>(f.problem), IsVideo(f.fileName));
    }
    return text;
}

}  // namespace

// DecodeProblemText knows the problems by their values.
static_assert(static_cast<int>(ThumbnailProblem::Unreadable) == 1 &&
              static_cast<int>(ThumbnailProblem::NotItsKind) == 2 &&
              static_cast<int>(ThumbnailProblem::Damaged) == 3 &&
              static_cast<int>(ThumbnailProblem::TooLarge) == 4 &&
              static_cast<int>(ThumbnailProblem::NotDecodable) == 5 &&
              static_cast<int>(ThumbnailProblem::TimedOut) == 6);

std::string ThumbnailProblemText(ThumbnailProblem problem) {
    return DecodeProblemText(static_cast<int>(problem));
}

void PrepareThumbnailRun(const ThumbnailRunRequest& request) {
    if (request.makeMissing) StartPictureDecoding();
}

ThumbnailRunResult RunThumbnailExtraction(Session& session, const ThumbnailRunRequest& request) {
    Interaction& ui = session.ui;
    WaitCursor wait(ui);
    ThumbnailRunResult result;

    std::string target = PrepareFolder(request.targetFolder);
    std::string output = PrepareFolder(request.outputFolder);
    if (MakeFolderPath(output) != 0) {
        Report(ui, Problem{.kind = ProblemKind::ThumbFolderNotMade, .path = output});
        result.status = ThumbnailRunStatus::NoOutputFolder;
        return result;
    }
    // Linux file systems tell letter case apart, so the texts compare exactly.
    if (output == target || SameFolder(output, target)) {
        Report(ui, Problem{.kind = ProblemKind::ThumbFolderIsTarget});
        result.status = ThumbnailRunStatus::OutputIsTarget;
        return result;
    }

    const EntryList& entries = session.album.entries;
    const FileIdSet pictures = AlbumPictures(entries, target);
    // What an earlier run left when it was killed goes.
    RemoveStaleTempFiles(output);
    std::vector<int> rows;
    for (int i = 0; i < entries.Count(); ++i) {
        if (!request.selectedOnly || entries.IsSelected(i)) rows.push_back(i);
    }
    const int n = static_cast<int>(rows.size());

    OverwritePolicy overwrite(ui, session.settings.EnvForceOverWrite);
    OutputLedger outputs;
    ThumbnailOutput out{overwrite, output, &pictures, &outputs};
    // The decoders' process-wide state is set up before any thread makes a thumbnail: here,
    // or earlier on the main thread by a front end that runs this run on another thread.
    PrepareThumbnailRun(request);
    ExifTable table = MakeThumbnailTable();
    int boxWidth = 0;
    int boxHeight = 0;
    MadeThumbnailBox(session.album.style, boxWidth, boxHeight);
    // Entries are read (and their thumbnails made) a few ahead of the one being written, so
    // that every core makes thumbnails while the writes, questions and progress stay here, in
    // entry order.
    const int lookahead =
        request.makeMissing
            ? static_cast<int>(std::max(1u, std::thread::hardware_concurrency())) + 1
            : 1;
    auto prepare = [&](const std::string& fileName) {
        PreparedThumbnail p;
        const std::string path = target + fileName;
        const bool movie = IsVideo(fileName);
        p.found = !movie && ReadExif(path, table, &p.embedded) == kExifOk &&
                  p.embedded.status == ThumbnailFind::Found;
        if (!p.found && request.makeMissing && (movie || IsImage(fileName)) &&
            IsPlainFileName(fileName)) {
            // A picture that has not changed since its thumbnail was made is not decoded
            // again. A link's own time says nothing of its picture: always made.
            PathStatus st;
            if (GetPathStatus(path, st) == 0 && st.isRegular) {
                p.source = {st.size, st.mtimeNs, boxWidth, boxHeight};
                p.stamped = true;
                p.current = outputs.IsCurrent(JoinPath(output, ThumbnailName(fileName)), p.source);
                if (p.current) return p;
            }
            // Made on this thread instead when no other can be started.
            if (movie) {
                p.made = std::async(std::launch::async | std::launch::deferred,
                                    [path, boxWidth, boxHeight] {
                                        return MakeMoviePoster(path, boxWidth, boxHeight);
                                    });
            } else {
                p.made = std::async(std::launch::async | std::launch::deferred, MakeThumbnailJpeg,
                                    path, boxWidth, boxHeight);
            }
        }
        return p;
    };
    std::deque<PreparedThumbnail> ahead;
    int prepared = 0;
    for (int k = 0; k < n && !result.cancelled; ++k) {
        if (ui.Progress(k, n) == ProgressAnswer::Cancel) {
            result.cancelled = true;
            break;
        }
        for (; prepared < n && prepared < k + lookahead; ++prepared) {
            ahead.push_back(prepare(entries.Field(rows[prepared], COL_FILE)));
        }
        PreparedThumbnail p = std::move(ahead.front());
        ahead.pop_front();
        const std::string& fileName = entries.Field(rows[k], COL_FILE);
        ++result.processed;
        std::string bytes;
        if (p.current) {
            outputs.KeepCurrent(JoinPath(output, ThumbnailName(fileName)));
            ++result.succeeded;
            ++result.made;
            continue;
        }
        if (p.found) {
            bytes = OrientedThumbnail(p.embedded.bytes, p.embedded.orientation);
        } else if (p.made.valid()) {
            if (!AwaitMade(p.made, ui, k, n)) {
                result.cancelled = true;
                break;
            }
            MadeThumbnail made = p.made.get();
            if (!made.ok) {
                result.pictureFailures.push_back({fileName, made.problem});
                continue;
            }
            bytes = std::move(made.jpeg);
        } else {
            continue;
        }
        ThumbnailWritten written = WriteThumbnail(out, ThumbnailName(fileName), bytes,
                                                  p.stamped && !p.found ? &p.source : nullptr);
        if (written.problem) Report(ui, *written.problem);
        switch (written.result) {
            case ThumbnailWrite::Written:
                ++result.succeeded;
                if (!p.found) ++result.made;
                break;
            case ThumbnailWrite::CannotCreate:
            case ThumbnailWrite::WriteFailed:
            case ThumbnailWrite::Refused:
                ++result.writeFailed;
                break;
            case ThumbnailWrite::Cancelled:
                result.cancelled = true;
                break;
            case ThumbnailWrite::Declined:
            case ThumbnailWrite::NoFileName:
                break;
        }
    }
    // A complete run over every entry knows the thumbnails the album has now: the program's
    // own thumbnails of entries taken out of the album go, unless changed since. An entry's
    // thumbnail that could not be had this time stays.
    if (!result.cancelled && !request.selectedOnly && result.writeFailed == 0) {
        for (int row : rows) {
            const std::string& fileName = entries.Field(row, COL_FILE);
            if (IsPlainFileName(fileName)) outputs.Claim(JoinPath(output, ThumbnailName(fileName)));
        }
        outputs.RemoveLeftovers(output, OutputKind::Thumbnail);
    }
    // Also after a cancel: what was written must be known as the program's.
    Report(ui, outputs.Save());
    result.outputs = outputs.Tally();
    if (result.cancelled) return result;
    ui.Progress(n, n);
    const std::string selected = request.selectedOnly ? Sj("選択") : std::string();
    ui.Message(request.makeMissing
                   ? SjFormat("%sエントリ %d件のうち、%d件を抽出、%d件を縮小作成しました",
                              selected.c_str(), result.processed, result.succeeded - result.made,
                              result.made) +
                         FailureLines(result.pictureFailures)
                   : SjFormat("%sエントリ %d件のうち、%d件のサムネイル抽出に成功しました",
                              selected.c_str(), result.processed, result.succeeded),
               Sj("サムネイル抽出結果"), MsgIcon::Information, MsgButtons::Ok);
    return result;
}

void StoreThumbFolder(Album& album, std::string_view folder) {
    if (album.style.ThumbFolder == folder) return;
    album.style.ThumbFolder = std::string(folder);
    album.modified = true;
}

}  // namespace mirulane
