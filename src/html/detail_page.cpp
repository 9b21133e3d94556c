#include "html/detail_page.h"

#include "album/album.h"
#include "album/media.h"
#include "app/session.h"
#include "html/image_sizing.h"
#include "html/locations.h"
#include "html/page_file.h"
#include "html/templates.h"
#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane {

namespace {

// Entry names longer than a value slot are cut before they are used in any value.
constexpr size_t kNameMax = 511;

std::string EntryName(const Album& album, int index) {
    return std::string(CutAtCharBoundary(album.entries.Field(index, COL_FILE), kNameMax));
}

// The link to the entry's own file in the target folder, without the target attribute.
std::string TargetLink(const Album& album, const std::string& name, LinkMode mode) {
    const PageStyle& style = album.style;
    if (mode == LinkMode::Preview) return EnsureTrailingSeparator(style.TargetFolder) + name;
    return RelativeLink(style.DetailFolder, style.TargetFolder) + name;
}

bool IsVideoExtension(std::string_view ext) {
    std::string lower = AsciiLower(ext);
    return lower == "avi" || lower == "mpg" || lower == "mpeg";
}

std::string NeighbourLink(const Album& album, int index, const std::string& label) {
    std::string base = SplitBaseName(EntryName(album, index)).base;
    return "<a href=\"" + base + ".html\">" + label + "</a>";
}

void ShowError(Session& session, const std::string& text) {
    session.ui.Message(text, "", MsgIcon::Exclamation, MsgButtons::Ok);
}

}  // namespace

std::string BuildImageElement(const Album& album, ImageLocator& locator, int index, LinkMode mode) {
    const PageStyle& style = album.style;
    std::string name = EntryName(album, index);
    BaseExt split = SplitBaseName(name);
    std::string folder = EnsureTrailingSeparator(style.ImageFolder);
    std::string ext = split.ext;
    PixelSize size;
    if (locator.Locate(folder + split.base, ext, size, true) != 0) {
        static const std::string kNotShown = Sj("表示できません");
        return kNotShown;
    }

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
    if (IsVideoExtension(ext)) {
        element += "dynsrc=\"" + TargetLink(album, name, mode) + "\" controls ";
    }
    std::string prefix =
        mode == LinkMode::Preview ? folder : RelativeLink(style.DetailFolder, style.ImageFolder);
    element += "src=\"" + prefix + split.base + "." + ext + "\" alt=\"" + alt + "\" ";
    if (shown.height > 0 && shown.width > 0) {
        element += Format("height=\"%d\" width=\"%d\" ", shown.height, shown.width);
    }
    element += "border=\"0\">";
    return element;
}

namespace {

// Fills every value but _IMAGE_.
TokenValues DetailValuesWithoutImage(const Album& album, int index, LinkMode mode) {
    const PageStyle& style = album.style;
    const EntryList& entries = album.entries;
    int count = entries.Count();
    std::string name = EntryName(album, index);
    BaseExt split = SplitBaseName(name);

    TokenValues v;
    v[Token::TARGET] = TargetLink(album, name, mode);
    if (style.TargetToTop == 1) v[Token::TARGET] += "\" target=\"_TOP";
    v[Token::FILE] = split.base;
    v[Token::FILEEX] = name;
    v[Token::TITLE] = entries.Field(index, COL_TITLE);
    v[Token::YOMI] = entries.Field(index, COL_YOMI);
    v[Token::GROUP] = entries.Field(index, COL_GROUP);
    v[Token::COMM1] = entries.Field(index, COL_COMM1);
    v[Token::COMM2] = entries.Field(index, COL_COMM2);
    v[Token::PGCUR] = std::to_string(index + 1);
    v[Token::PGTOTAL] = std::to_string(count);
    v[Token::PREV] = index < 1 ? style.PrevText : NeighbourLink(album, index - 1, style.PrevText);
    v[Token::NEXT] =
        index < count - 1 ? NeighbourLink(album, index + 1, style.NextText) : style.NextText;

    static const struct {
        Token token;
        Column column;
    } kExif[] = {
        {Token::MAKER, COL_MAKER}, {Token::MODEL, COL_MODEL}, {Token::DTORG, COL_DTORG},
        {Token::ISOSR, COL_ISOSR}, {Token::SHTSP, COL_SHTSP}, {Token::APRTV, COL_APRTV},
        {Token::FOLEN, COL_FOLEN}, {Token::FLASH, COL_FLASH}, {Token::EBIAS, COL_EBIAS},
        {Token::IMGSZ, COL_IMGSZ},
    };
    for (const auto& row : kExif) v[row.token] = entries.Field(index, row.column);
    return v;
}

}  // namespace

TokenValues BuildDetailValues(const Album& album, ImageLocator& locator, int index, LinkMode mode) {
    TokenValues v = DetailValuesWithoutImage(album, index, mode);
    v[Token::IMAGE] = BuildImageElement(album, locator, index, mode);
    return v;
}

TokenValues BuildDetailValuesFor(const Album& album, ImageLocator& locator, int index,
                                 LinkMode mode, std::string_view text) {
    TokenValues v = DetailValuesWithoutImage(album, index, mode);
    if (!album.style.Switch(Token::IMAGE)) return v;
    // Finding and measuring the picture is the costly part. Whether the token will be met is
    // known once the tokens before it are replaced: a value may bring it in, or complete it
    // together with the text around it.
    std::string probe(text);
    for (const TokenInfo& info : DetailTokenOrder()) {
        if (info.token == Token::IMAGE) break;
        if (!album.style.Switch(info.token)) continue;
        ReplaceToken(probe, info.text, CutAtCharBoundary(v[info.token], info.maxSize));
    }
    if (probe.find(TokenText(Token::IMAGE)) != std::string::npos) {
        v[Token::IMAGE] = BuildImageElement(album, locator, index, mode);
    }
    return v;
}

std::string DetailPageText(const Album& album, ImageLocator& locator, std::string_view templ,
                           int index, LinkMode mode) {
    std::string text(templ);
    ReplaceDetailTokens(text, BuildDetailValuesFor(album, locator, index, mode, text), album.style);
    return text;
}

int WriteAllDetailPages(Session& session, ImageLocator& locator) {
    const Album& album = session.album;
    const PageStyle& style = album.style;
    Interaction& ui = session.ui;
    int count = album.entries.Count();

    if (MakeFolderPath(style.DetailFolder) != 0) {
        ShowError(session, Sj("個別ページの出力先フォルダを作成できません\n") + style.DetailFolder);
        return -1;
    }
    std::string templ;
    if (LoadDetailTemplate(style, templ, ui) != 0) return -3;

    std::string folder = EnsureTrailingSeparator(style.DetailFolder);
    const std::string progress = Sj("個別ページを作成しています... %d/%d");
    for (int i = 0; i < count; ++i) {
        ui.SetStatus(0, Format(progress.c_str(), i + 1, count));
        std::string name = EntryName(album, i);
        std::string base = SplitBaseName(name).base;
        std::string page = base + ".html";
        // The page name comes from the album's data; never let it lead out of the folder.
        if (base.empty() || !IsPlainFileName(page)) {
            ShowError(session,
                      Sj("このエントリのファイル名では個別ページを作成できません\n") + name);
            ui.SetStatus(0, "");
            return -1;
        }
        std::string path = folder + page;
        ReplaceDecision decision = ConfirmReplace(session, path);
        if (decision == ReplaceDecision::Skip) continue;
        if (decision == ReplaceDecision::Cancel) {
            ui.SetStatus(0, "");
            return -9;
        }
        PageWrite written =
            WriteTextFile(session, path, DetailPageText(album, locator, templ, i, LinkMode::Page));
        if (written.error != 0) {
            const int err = written.error;
            if (written.stage == WriteStage::Write) {
                ShowError(session, Format(Sj("HTMLファイルに書き込めません(errno=%d)\n%s").c_str(),
                                          err, base.c_str()));
            } else if (written.stage != WriteStage::Refused) {
                ShowError(session, Format(Sj("出力HTMLファイルを開けません(errno=%d)\n%s").c_str(),
                                          err, path.c_str()));
            }
            ui.SetStatus(0, "");
            return written.stage == WriteStage::Write ? -3 : -1;
        }
    }
    session.overwriteAll = false;
    ui.SetStatus(0, "");
    return 0;
}

}  // namespace mirulane
