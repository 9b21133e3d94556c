#include "html/detail_page.h"

#include <vector>

#include "album/album.h"
#include "album/media.h"
#include "html/escape.h"
#include "html/image_sizing.h"
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

bool IsVideoExtension(std::string_view ext) {
    std::string lower = AsciiLower(ext);
    return lower == "avi" || lower == "mpg" || lower == "mpeg";
}

// The link to a neighbour's page labelled with the user's text, or the text alone when there
// is no neighbour with a page.
std::string NeighbourLink(const PageNames& pages, int neighbour, const std::string& label) {
    if (neighbour < 0) return label;
    return "<a href=\"" + LinkPath(pages.Name(neighbour), kTextSlot) + "\">" + label + "</a>";
}

// One message for the entries whose names cannot name a page file: how many, and the first few
// of them by their place in the album.
void ShowPassedOver(Interaction& ui, const EntryList& all, const std::vector<int>& entries) {
    constexpr size_t kListed = 10;
    std::string text = SjFormat(
        "次のエントリ %d 件は名前に Shift-JIS で表せない文字を含むため、"
        "個別ページを作成せず一覧ページにも載せませんでした",
        static_cast<int>(entries.size()));
    for (size_t k = 0; k < entries.size() && k < kListed; ++k) {
        text += SjFormat("\n%d 番目: ", entries[k] + 1) + all.Field(entries[k], COL_FILE);
    }
    if (entries.size() > kListed) {
        text += SjFormat("\nほか %d 件", static_cast<int>(entries.size() - kListed));
    }
    ShowWarning(ui, text);
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

    std::string element = "<img ";
    if (IsVideoExtension(found->extension)) {
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
    if (style.TargetToTop == 1) v[Token::TARGET] += "\" target=\"_TOP";
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

bool FillDetailTokens(std::string& text, const Album& album, PageRun& run, int index, LinkMode mode,
                      ReplaceBudget& budget) {
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

StepResult WriteAllDetailPages(const Album& album, PageRun& run, PageOutput& out) {
    const PageStyle& style = album.style;
    Interaction& ui = out.ui;
    int count = album.entries.Count();

    if (MakeFolderPath(style.DetailFolder) != 0) {
        ShowWarning(ui, Sj("個別ページの出力先フォルダを作成できません\n") + style.DetailFolder);
        return StepResult::Failed;
    }
    std::string templ;
    if (LoadDetailTemplate(style, templ, ui) != 0) return StepResult::Failed;

    std::string folder = EnsureTrailingSeparator(style.DetailFolder);
    const std::string progress = Sj("個別ページを作成しています... %d/%d");
    std::vector<int> passedOver;
    // The pages that replace pages already there are made safe on disk together, once the
    // loop is done: one flush for the album instead of one per page.
    if (out.outputs) out.outputs->BeginBatch();
    // Each failure is told with the entry's or the page's name, as the step that failed says.
    auto tellFailure = [&ui](int error, WriteStage stage, const std::string& base,
                             const std::string& path) {
        if (stage == WriteStage::Write) {
            ShowWarning(
                ui, SjFormat("HTMLファイルに書き込めません(errno=%d)\n%s", error, base.c_str()));
        } else if (stage != WriteStage::Refused) {
            ShowWarning(
                ui, SjFormat("出力HTMLファイルを開けません(errno=%d)\n%s", error, path.c_str()));
        }
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
                ShowWarning(ui,
                            Sj("このエントリのファイル名では個別ページを作成できません\n") + name);
                stopped = StepResult::Failed;
                break;
            }
            passedOver.push_back(i);
            continue;
        }
        std::string path = folder + run.pages.Name(i);
        std::optional<std::string> text = DetailPageText(album, run, templ, i, LinkMode::Page);
        if (!text) {
            ShowWarning(ui, SjFormat("個別ページが大きくなりすぎるため作成できません（上限 %dMB）\n"
                                     "タイトルやコメントなどに置換対象文字列が含まれていないか"
                                     "確認してください\n%s",
                                     static_cast<int>(kPageMaxBytes >> 20), path.c_str()));
            stopped = StepResult::Failed;
            break;
        }
        PageWrite written = WriteTextFile(out, path, *text, PageRole::AlbumPage);
        if (written.outcome == OutputOutcome::Kept) continue;
        if (written.outcome == OutputOutcome::Cancelled) {
            stopped = StepResult::Cancelled;
        } else if (written.error != 0) {
            tellFailure(written.error, written.stage, base, path);
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
            tellFailure(f.error, f.stage, base, f.path);
        }
        if (!failed.empty() && !stopped) stopped = StepResult::Failed;
    }
    if (stopped) {
        ui.SetStatus(StatusPane::Message, "");
        return *stopped;
    }
    ui.Progress(count, count);
    ui.SetStatus(StatusPane::Message, "");
    if (!passedOver.empty()) ShowPassedOver(ui, album.entries, passedOver);
    return StepResult::Written;
}

}  // namespace mirulane
