#include "html/detail_page.h"

#include <cstring>
#include <vector>

#include "album/album.h"
#include "album/media.h"
#include "html/escape.h"
#include "html/image_sizing.h"
#include "html/output_folders.h"
#include "html/page_file.h"
#include "html/templates.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

namespace {

constexpr size_t kTextSlot = 511;
constexpr size_t kExifSlot = 127;

// The path of the entry's own file in the target folder, without the target attribute.
std::string TargetPath(const Album& album, const std::string& name, LinkMode mode) {
    const PageStyle& style = album.style;
    if (mode == LinkMode::Preview) return EnsureTrailingSeparator(style.TargetFolder) + name;
    return RelativeLink(style.DetailFolder, style.TargetFolder) + name;
}

// The link to a neighbour's page labelled with the user's text, or the text alone when there
// is no neighbour with a page.
std::string NeighbourLink(const PageNames& pages, int neighbour, const std::string& label) {
    if (neighbour < 0) return label;
    return "<a href=\"" + LinkPath(pages.Name(neighbour), kTextSlot) + "\">" + label + "</a>";
}

// The link from a page (or the preview) to a file in `folder`.
std::string LinkInto(const PageStyle& style, const std::string& folder, const std::string& name,
                     LinkMode mode) {
    if (mode == LinkMode::Preview) return LinkPath(EnsureTrailingSeparator(folder) + name);
    return LinkPath(RelativeLink(style.DetailFolder, folder) + name);
}

// A movie as today's browsers play it: its playable copy when the movie folder holds one,
// else the file itself; its poster from the thumbnail folder; and a link to the file itself
// below the player.
std::string VideoElement(const Album& album, ImageLocator& locator, const std::string& name,
                         const FoundImage& found, ShownSize shown, LinkMode mode) {
    const PageStyle& style = album.style;
    std::string source;
    // The type browsers know the file by; none for a file no browser plays (no copy of it
    // could be made), which a browser then tries by its content.
    const std::string ext = AsciiLower(found.extension);
    std::string type = ext == "webm"                                  ? "video/webm"
                       : ext == "mp4" || ext == "m4v" || ext == "mov" ? "video/mp4"
                                                                      : "";
    const std::string movies = MovieFolder(style);
    std::optional<FoundImage> copy;
    if (!movies.empty()) {
        copy = locator.Locate(EnsureTrailingSeparator(movies) + name, "mp4", false);
    }
    if (copy) {
        source = LinkInto(style, movies, copy->name, mode);
        type = "video/mp4";
        if ((shown.width < 1 || shown.height < 1) && copy->size.width > 0) {
            shown = SizeForMode(style.ImageSizeMode, style.ImageScale, style.ImageFitWidth,
                                style.ImageFitHeight, copy->size.width, copy->size.height);
        }
    } else {
        source = LinkInto(style, style.ImageFolder, found.name, mode);
    }
    std::string element = "<video controls preload=\"metadata\"";
    if (!style.ThumbFolder.empty()) {
        std::optional<FoundImage> poster =
            locator.Locate(EnsureTrailingSeparator(style.ThumbFolder) + name, "jpg", false);
        if (poster)
            element += " poster=\"" + LinkInto(style, style.ThumbFolder, poster->name, mode) + "\"";
    }
    if (shown.width > 0 && shown.height > 0) {
        element += Format(" width=\"%d\" height=\"%d\"", shown.width, shown.height);
    }
    element += "><source src=\"" + source + "\"";
    if (!type.empty()) element += " type=\"" + type + "\"";
    element += "></video>";
    element += "<br><a href=\"" + LinkPath(TargetPath(album, name, mode)) + "\">" +
               EscapeHtml(name) + "</a>";
    return element;
}

}  // namespace

std::string BuildImageElement(const Album& album, ImageLocator& locator, int index, LinkMode mode) {
    const PageStyle& style = album.style;
    std::string name = EntryFileName(album, index);
    BaseExt split = SplitBaseName(name);
    std::string folder = EnsureTrailingSeparator(style.ImageFolder);
    std::optional<FoundImage> found = locator.Locate(folder + split.base, split.ext);
    if (!found) {
        static const std::string kNotShown = Sj("表示できません");
        return kNotShown;
    }

    const PixelSize& size = found->size;
    ShownSize shown;
    std::string alt;
    if (size.width < 1 || size.height < 1) {
        static const std::string kUnknown = Sj("サイズ不明");
        alt = kUnknown;
    } else {
        shown = SizeForMode(style.ImageSizeMode, style.ImageScale, style.ImageFitWidth,
                            style.ImageFitHeight, size.width, size.height);
        alt = SizeAltText(shown, size.width, size.height);
    }

    if (IsVideo(found->extension) && !style.MovieDynsrc) {
        return VideoElement(album, locator, name, *found, shown, mode);
    }
    std::string element = "<img ";
    if (IsVideo(found->extension)) {
        element += "dynsrc=\"" + LinkPath(TargetPath(album, name, mode)) + "\" controls ";
    }
    std::string prefix =
        mode == LinkMode::Preview ? folder : RelativeLink(style.DetailFolder, style.ImageFolder);
    element += "src=\"" + LinkPath(prefix + found->name) + "\" alt=\"" + alt + "\" ";
    if (shown.height > 0 && shown.width > 0) {
        element += Format("height=\"%d\" width=\"%d\" ", shown.height, shown.width);
    }
    element += "border=\"0\">";
    return element;
}

namespace {

// Fills every value but _IMAGE_.
TokenValues DetailValuesWithoutImage(const Album& album, const PageNames& pages, int index,
                                     LinkMode mode) {
    const PageStyle& style = album.style;
    const EntryList& entries = album.entries;
    std::string name = EntryFileName(album, index);
    BaseExt split = SplitBaseName(name);

    TokenValues v;
    v[Token::TARGET] = LinkPath(TargetPath(album, name, mode), kTextSlot);
    if (style.TargetToTop) v[Token::TARGET] += "\" target=\"_TOP";
    v[Token::FILE] = EscapeHtml(split.base, kTextSlot);
    v[Token::FILEEX] = EscapeHtml(name, kTextSlot);
    const std::string scanned = SplitPath(name).base;  // what the folder scan fills in
    v[Token::TITLE] = FilledOrTypedText(entries.Field(index, COL_TITLE), scanned, kTextSlot);
    v[Token::YOMI] = FilledOrTypedText(entries.Field(index, COL_YOMI), scanned, kTextSlot);
    v[Token::GROUP] = entries.Field(index, COL_GROUP);
    v[Token::COMM1] = entries.Field(index, COL_COMM1);
    v[Token::COMM2] = entries.Field(index, COL_COMM2);
    v[Token::PGCUR] = std::to_string(pages.Number(index));
    v[Token::PGTOTAL] = std::to_string(pages.PageCount());
    v[Token::PREV] = NeighbourLink(pages, pages.Previous(index), style.PrevText);
    v[Token::NEXT] = NeighbourLink(pages, pages.Next(index), style.NextText);

    static const struct {
        Token token;
        Column column;
    } kExif[] = {
        {Token::MAKER, COL_MAKER}, {Token::MODEL, COL_MODEL}, {Token::DTORG, COL_DTORG},
        {Token::ISOSR, COL_ISOSR}, {Token::SHTSP, COL_SHTSP}, {Token::APRTV, COL_APRTV},
        {Token::FOLEN, COL_FOLEN}, {Token::FLASH, COL_FLASH}, {Token::EBIAS, COL_EBIAS},
        {Token::IMGSZ, COL_IMGSZ},
    };
    for (const auto& row : kExif) {
        v[row.token] = EscapeCameraText(entries.Field(index, row.column), kExifSlot);
    }
    return v;
}

}  // namespace

namespace {

// A player inside a link would follow it at a click on its controls: the link a template puts
// around the picture of a movie ("<a href="_TARGET_">_IMAGE_ ... </a>", as the presets do)
// is taken out, and the player brings its own link to the file.
void UnlinkMoviePlayer(std::string& text) {
    static const std::string kOpen = "<a href=\"_TARGET_\">_IMAGE_";
    for (size_t at = text.find(kOpen); at != std::string::npos; at = text.find(kOpen, at)) {
        const size_t image = at + kOpen.size() - std::strlen("_IMAGE_");
        const size_t close = text.find("</a>", image);
        if (close == std::string::npos) break;
        text.erase(close, 4);
        text.erase(at, image - at);
    }
}

}  // namespace

bool FillDetailTokens(std::string& text, const Album& album, PageRun& run, int index, LinkMode mode,
                      ReplaceBudget& budget) {
    if (!album.style.MovieDynsrc && album.style.Switch(Token::IMAGE) &&
        IsVideo(EntryFileName(album, index))) {
        UnlinkMoviePlayer(text);
    }
    TokenValues v = DetailValuesWithoutImage(album, run.pages, index, mode);
    // Finding and measuring the picture is the costly part. Whether the token will be met is
    // known once the tokens before it are replaced: a value may bring it in, or complete it
    // together with the text around it.
    std::span<const TokenInfo> order = DetailTokenOrder();
    size_t image = 0;
    while (order[image].token != Token::IMAGE) ++image;
    if (!ReplaceTokens(text, order.first(image), v, album.style, budget)) return false;
    if (album.style.Switch(Token::IMAGE) &&
        text.find(TokenText(Token::IMAGE)) != std::string::npos) {
        v[Token::IMAGE] = BuildImageElement(album, run.locator, index, mode);
    }
    return ReplaceTokens(text, order.subspan(image), v, album.style, budget);
}

std::optional<std::string> DetailPageText(const Album& album, PageRun& run, std::string_view templ,
                                          int index, LinkMode mode) {
    std::string text(templ);
    ReplaceBudget budget;
    if (!FillDetailTokens(text, album, run, index, mode, budget)) return std::nullopt;
    return text;
}

StepOutcome WriteAllDetailPages(const Album& album, PageRun& run, PageOutput& out) {
    const PageStyle& style = album.style;
    Interaction& ui = out.ui;
    int count = album.entries.Count();

    if (MakeFolderPath(style.DetailFolder) != 0) {
        return {StepResult::Failed,
                {{.kind = ProblemKind::DetailFolderNotMade, .path = style.DetailFolder}}};
    }
    Expected<std::string> templ = LoadDetailTemplate(style);
    if (!templ) return {StepResult::Failed, {templ.error()}};

    std::string folder = EnsureTrailingSeparator(style.DetailFolder);
    const std::string progress = Sj("個別ページを作成しています... %d/%d");
    Problem passedOver{.kind = ProblemKind::EntriesWithoutPages};
    StepOutcome outcome;
    // The pages that replace pages already there are made safe on disk together, once the
    // loop is done: one flush for the album instead of one per page.
    if (out.outputs) out.outputs->BeginBatch();
    // Each failure names the entry's or the page's name, as the step that failed says.
    auto failure = [](const PageWrite& written, const std::string& base, const std::string& path) {
        Problem p = PageWriteProblem(ProblemKind::DetailPageNotWritten, written, path);
        if (p.kind == ProblemKind::DetailPageNotWritten) p.name = base;
        return p;
    };
    std::optional<StepResult> stopped;
    for (int i = 0; i < count && !stopped; ++i) {
        if (ui.Progress(i, count) == ProgressAnswer::Cancel) {
            stopped = StepResult::Cancelled;
            break;
        }
        ui.SetStatus(StatusPane::Message, Format(progress.c_str(), i + 1, count));
        std::string name = EntryFileName(album, i);
        std::string base = SplitBaseName(name).base;
        if (!run.pages.HasPage(i)) {
            // The page name comes from the album's data; never let it lead out of the folder.
            if (run.pages.Why(i) == PageNames::Missing::LeavesFolder) {
                outcome.problems.push_back(
                    {.kind = ProblemKind::EntryNameLeavesFolder, .name = name});
                stopped = StepResult::Failed;
                break;
            }
            passedOver.items.emplace_back(album.entries.Field(i, COL_FILE), i + 1);
            continue;
        }
        std::string path = folder + run.pages.Name(i);
        std::optional<std::string> text = DetailPageText(album, run, *templ, i, LinkMode::Page);
        if (!text) {
            outcome.problems.push_back({.kind = ProblemKind::DetailPageTooLarge,
                                        .path = path,
                                        .count = static_cast<int>(kPageMaxBytes >> 20)});
            stopped = StepResult::Failed;
            break;
        }
        PageWrite written = WriteTextFile(out, path, *text, PageRole::AlbumPage);
        if (written.outcome == OutputOutcome::Kept) continue;
        if (written.outcome == OutputOutcome::Cancelled) {
            stopped = StepResult::Cancelled;
        } else if (written.error != 0) {
            outcome.problems.push_back(failure(written, base, path));
            stopped = StepResult::Failed;
        }
    }
    // Whatever ended the loop, the pages made before it are put in place.
    if (out.outputs) {
        std::vector<OutputLedger::FailedOutput> failed = out.outputs->CommitBatch();
        for (const OutputLedger::FailedOutput& f : failed) {
            std::string base;
            for (int i = 0; i < count; ++i) {
                if (run.pages.HasPage(i) && folder + run.pages.Name(i) == f.path) {
                    base = SplitBaseName(EntryFileName(album, i)).base;
                    break;
                }
            }
            PageWrite written;
            written.outcome = OutputOutcome::Failed;
            written.error = f.error;
            written.stage = f.stage;
            outcome.problems.push_back(failure(written, base, f.path));
        }
        if (!failed.empty() && !stopped) stopped = StepResult::Failed;
    }
    if (stopped) {
        ui.SetStatus(StatusPane::Message, "");
        outcome.result = *stopped;
        return outcome;
    }
    ui.Progress(count, count);
    ui.SetStatus(StatusPane::Message, "");
    if (!passedOver.items.empty()) outcome.problems.push_back(std::move(passedOver));
    return outcome;
}

}  // namespace mirulane
