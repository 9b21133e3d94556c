#include "app/preview.h"

#include <optional>
#include <utility>

#include "app/problem_text.h"
#include "exif/camera_fields.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"
#include "html/detail_page.h"
#include "html/list_page.h"
#include "html/page_names.h"
#include "html/templates.h"
#include "imaging/movie_poster.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

namespace {

std::optional<ChosenImage> LocateIn(const std::string& folder, const BaseExt& split,
                                    ImageLocator& locator) {
    std::string dir = EnsureTrailingSeparator(folder);
    std::optional<FoundImage> found = locator.Locate(dir + split.base, split.ext);
    if (!found) return std::nullopt;
    return ChosenImage{dir + found->name, found->size};
}

}  // namespace

ChosenImage ChooseImage(const PageStyle& style, int dispImage, std::string_view fileName,
                        ImageLocator& locator) {
    BaseExt split = SplitBaseName(fileName);
    std::optional<ChosenImage> chosen;
    if (dispImage == 0 || dispImage == 2) chosen = LocateIn(style.TargetFolder, split, locator);
    if (!chosen && (dispImage == 1 || dispImage == 2)) {
        chosen = LocateIn(style.ImageFolder, split, locator);
    }
    if (dispImage == 3) chosen = LocateIn(style.ThumbFolder, split, locator);
    if (!chosen) return ChosenImage{std::string(fileName), {}};
    return *chosen;
}

std::string GroupedDigits(uint64_t value) {
    std::string digits = std::to_string(value);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

namespace {

// The pane shows path (a blank page when it is empty).
PreviewShow Navigate(std::string path) {
    PreviewShow show;
    show.navigate = true;
    show.path = std::move(path);
    return show;
}

}  // namespace

Preview::Preview(Session& session, std::string previewFile)
    : s_(session), file_(std::move(previewFile)), table_(MakePreviewTable()) {}

PreviewShow Preview::Update(int hint, const PaneGeometry& pane) {
    Album& album = s_.album;
    if (hint >= album.entries.Count()) {
        // The index names no entry (it was left over from a list that has changed since).
        album.currentEntry = -1;
        hint = -1;
    }
    if (hint < 0) return Navigate(std::string());

    album.currentEntry = hint;
    const std::string& name = album.entries.Field(hint, COL_FILE);
    const std::string folder = EnsureTrailingSeparator(album.style.TargetFolder);

    PreviewShow show;
    switch (s_.settings.EnvPreView) {
        case PreviewMode::Picture: {
            // A page of the user's is shown as it is.
            std::string ext = AsciiLower(SplitBaseName(name).ext);
            if (ext == "htm" || ext == "html") return Navigate(folder + name);
            return ShowImage(folder, name, pane);
        }
        case PreviewMode::DetailPage:
        case PreviewMode::ListPage:
            show = ShowPage(hint, s_.settings.EnvPreView == PreviewMode::ListPage);
            break;
        default:
            return show;
    }
    if (show.navigate && s_.settings.PvFirst) {
        s_.settings.PvFirst = false;
        show.notice = true;
    }
    return show;
}

bool MakePreviewPoster(const std::string& moviePath, const std::string& posterFile,
                       const std::atomic<bool>* stop) {
    MadeThumbnail poster = MakeMoviePoster(moviePath, 320, 240, MovieLimits{}, stop);
    return poster.ok && WriteGeneratedFile(posterFile, poster.jpeg) == 0;
}

void Preview::PosterMade(const std::string& moviePath, const std::string& posterFile, bool ok) {
    posters_[moviePath] = ok ? posterFile : std::string();
}

std::string Preview::PosterFor(const std::string& moviePath, const std::string& name,
                               PreviewShow& show) {
    // The poster the thumbnail run made, while it is there.
    const std::string& thumbs = s_.album.style.ThumbFolder;
    if (!thumbs.empty()) {
        const std::string made = JoinPath(thumbs, PosterName(name));
        if (FileExists(made)) return made;
    }
    // Else one made for the pane beside the preview file: decoding a clip can take seconds,
    // so the card is shown at once and the window has the poster made meanwhile. Without a
    // preview file (a temporary folder Shift-JIS cannot name) there is nowhere to put it.
    if (file_.empty()) return {};
    auto known = posters_.find(moviePath);
    if (known != posters_.end()) {
        if (known->second.empty() || FileExists(known->second)) return known->second;
        posters_.erase(known);  // removed since: made again
    }
    show.posterMovie = moviePath;
    show.posterFile = file_ + ".poster" + std::to_string(postersAsked_++) + ".jpg";
    return {};
}

PreviewShow Preview::ShowImage(const std::string& folder, const std::string& name,
                               const PaneGeometry& pane) {
    const std::string target = folder + name;
    ImagePage page;
    FileStatus status;
    if (GetFileStatus(target, status) == 0) {
        page.dateText = DateTextFromTime(status.creationTime, 0);
        page.sizeText = GroupedDigits(status.size);
    }
    if (ReadExif(target, table_) == kExifOk) page.exif = PreviewLines(table_);

    ImageLocator locator;
    ChosenImage chosen = ChooseImage(s_.album.style, s_.settings.EnvDispImage, name, locator);
    page.imagePath = chosen.path;
    page.width = chosen.size.width;
    page.height = chosen.size.height;
    page.video = IsVideo(page.imagePath);
    PreviewShow show = Navigate(file_);
    if (page.video) page.posterPath = PosterFor(target, name, show);
    PixelSize poster;
    if (!page.posterPath.empty() && ReadJpegSize(page.posterPath, poster) == 0) {
        page.posterWidth = poster.width;
        page.posterHeight = poster.height;
    }
    // A page that cannot be written is not reported: the pane shows the file as it is.
    if (!page.imagePath.empty()) {
        WriteGeneratedFile(file_, ToCrLf(ImagePageText(page, pane, s_.settings)));
    }
    return show;
}

PreviewShow Preview::ShowPage(int index, bool list) {
    const Album& album = s_.album;
    Expected<std::string> templ =
        list ? LoadListTemplate(album.style) : LoadDetailTemplate(album.style);
    if (!templ) {
        Report(s_.ui, templ.error());
        return {};
    }

    PageRun run(album);
    const Problem tooLarge{.kind = ProblemKind::PreviewTooLarge, .path = file_};
    if (!list) {
        std::optional<std::string> text =
            DetailPageText(album, run, *templ, index, LinkMode::Preview);
        if (!text) {
            Report(s_.ui, tooLarge);
            return {};
        }
        if (!WritePreviewFile(*text, ProblemKind::PreviewNotWritten)) return {};
        return Navigate(file_);
    }
    bool invalid = false;
    std::optional<std::string> text = ListPageText(album, run, *templ, LinkMode::Preview, invalid);
    if (!text) {
        Report(s_.ui, tooLarge);
        return {};
    }
    if (!WritePreviewFile(*text, ProblemKind::PreviewListNotWritten)) return {};
    // The page is written all the same (head and tail), so the preview shows what is wrong.
    if (invalid) Report(s_.ui, Problem{.kind = ProblemKind::TemplateMarkersMissing});
    return Navigate(file_);
}

bool Preview::WritePreviewFile(std::string_view text, ProblemKind failure) {
    WriteStage stage = WriteStage::None;
    int error = WriteGeneratedFile(file_, ToCrLf(text), nullptr, &stage);
    if (error == 0) return true;
    Report(s_.ui, Problem{.kind = failure, .path = file_, .error = error, .stage = stage});
    return false;
}

}  // namespace mirulane
