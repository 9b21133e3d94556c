#include "cli/page_options.h"

#include <algorithm>
#include <cstdio>

#include "album/page_style.h"
#include "app/page_limits.h"
#include "app/page_options.h"
#include "app/pages.h"
#include "app/template_files.h"
#include "app/text.h"
#include "cli/cli.h"

namespace mirulane::cli {
namespace {

// Sizes beyond this are no picture size a page could show.
constexpr int kMaxSide = 99999;

const OptionSpec kPageOptions[] = {
    {"--layout", "N",
     "トップページのレイアウト（0 左右分割１、1 左右分割２、2 上下分割１、3 上下分割２、"
     "4 フレームなし（スマートフォン対応））"},
    {"--frame-size", "N",
     "リストフレームの幅（レイアウト 0, 1）または高さ（レイアウト 2, 3）、ピクセル"},
    {"--list-preset", "N",
     "リストページのプリセット 0〜4（4 はリストフレームを撮影情報が収まる大きさに広げます）"},
    {"--detail-preset", "N", "個別ページのプリセット 0〜16"},
    {"--list-template", "FILE", "リストページにオリジナルのテンプレートファイルを使います"},
    {"--detail-template", "FILE", "個別ページにオリジナルのテンプレートファイルを使います"},
    {"--title", "TEXT", "トップページのタイトル"},
    {"--thumb-size", "WxH", "リストページのサムネイルを幅x高さに収めて表示します（例: 160x120）"},
    {"--image-size", "WxH", "個別ページの画像を幅x高さに収めて表示します（例: 640x480）"},
    {"--movie-tag", "KIND",
     "個別ページの動画の書き方（video: 今のブラウザで再生できる <video>、dynsrc: 古い "
     "<img dynsrc>）"},
};

// "WxH" with each side 0..kMaxSide (0: that side is not fitted); false for anything else.
bool ParseSize(const std::string& text, int& width, int& height) {
    size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    return ParseNumber(std::string_view(text).substr(0, x), 0, kMaxSide, width) &&
           ParseNumber(std::string_view(text).substr(x + 1), 0, kMaxSide, height);
}

// A template file named on the command line: its absolute CP932 path, once the template
// loader has read it. 1 (the user told why) when it cannot be read.
int TemplateFileArg(const Context& ctx, const std::string& utf8, std::string& path) {
    if (!AbsolutePathArg(utf8, path)) return 1;
    return TemplateFileUsable(ctx.session.ui, path) ? 0 : 1;
}

std::string SizeWords(SizeMode mode, int scale, int width, int height) {
    switch (mode) {
        case SizeMode::Scale:
            return Format("倍率指定 %d%%", scale);
        case SizeMode::Fit:
            return Format("%dx%d に収める", width, height);
        default:
            return "原寸表示";
    }
}

// The frame fits the thumbnail list preset (the window's rule), unless its size was given.
void FitListFrame(const Args& args, PageStyle& style) {
    if (!args.Has("--frame-size")) FitListFrameToPreset(style);
}

}  // namespace

std::span<const OptionSpec> PageOptionSpecs() { return kPageOptions; }

bool HasPageOptions(const Args& args) {
    for (const OptionSpec& o : kPageOptions) {
        if (args.Has(o.name)) return true;
    }
    return false;
}

int ApplyPageOptions(const Context& ctx, const Args& args, PageStyle& style) {
    PageStyle s = style;
    struct Choice {
        const char* option;
        int count;
        int& value;
    };
    // The layout is given by its number, as the album file holds it.
    int layout = ToFileInt(s.TopStyle);
    for (const Choice& c : {Choice{"--layout", kTopLayoutCount, layout},
                            Choice{"--list-preset", kListPresetCount, s.ListPreset},
                            Choice{"--detail-preset", kDetailPresetCount, s.DetailPreset}}) {
        const std::string* v = args.Value(c.option);
        if (v && !ParseNumber(*v, 0, c.count - 1, c.value)) {
            return Usage(ctx, Format("%s には 0 から %d の数を指定してください（「%s」）", c.option,
                                     c.count - 1, v->c_str()));
        }
    }
    s.TopStyle = FromFileInt(layout, s.TopStyle);
    for (const char* kind : {"list", "detail"}) {
        std::string preset = Format("--%s-preset", kind);
        std::string file = Format("--%s-template", kind);
        if (args.Has(preset) && args.Has(file)) {
            return Usage(ctx, preset + " と " + file + " は同時に指定できません");
        }
    }
    struct Size {
        const char* option;
        SizeMode& mode;
        int& width;
        int& height;
    };
    for (const Size& z :
         {Size{"--thumb-size", s.ThumbSizeMode, s.ThumbFitWidth, s.ThumbFitHeight},
          Size{"--image-size", s.ImageSizeMode, s.ImageFitWidth, s.ImageFitHeight}}) {
        const std::string* v = args.Value(z.option);
        if (!v) continue;
        if (!ParseSize(*v, z.width, z.height)) {
            return Usage(ctx, Format("%s には 幅x高さ を 0 から %d の数で指定してください"
                                     "（例: 160x120、「%s」）",
                                     z.option, kMaxSide, v->c_str()));
        }
        z.mode = SizeMode::Fit;
    }
    if (const std::string* v = args.Value("--frame-size")) {
        if (!ParseNumber(*v, 0, kMaxSide, ListFrameSize(s))) {
            return Usage(ctx, Format("--frame-size には 0 から %d の数を指定してください（「%s」）",
                                     kMaxSide, v->c_str()));
        }
    }
    if (const std::string* v = args.Value("--title")) {
        if (!ArgToCp932(*v, s.TopTitle)) return 1;
        if (s.TopTitle.size() > kPageTitleMaxBytes) {
            return Usage(ctx, Format("--title は Shift-JIS で %zu バイトまでです（%zu バイト）",
                                     kPageTitleMaxBytes, s.TopTitle.size()));
        }
    }
    // Choosing a preset chooses the preset mode, as the dialog's radio buttons do; the file
    // name stays for a later switch back.
    if (args.Has("--list-preset")) s.ListUseFile = TemplateSource::Preset;
    if (args.Has("--detail-preset")) s.DetailUseFile = TemplateSource::Preset;
    if (const std::string* v = args.Value("--list-template")) {
        if (TemplateFileArg(ctx, *v, s.ListTemplateFile) != 0) return 1;
        s.ListUseFile = TemplateSource::File;
    }
    if (const std::string* v = args.Value("--detail-template")) {
        if (TemplateFileArg(ctx, *v, s.DetailTemplateFile) != 0) return 1;
        s.DetailUseFile = TemplateSource::File;
    }
    if (const std::string* v = args.Value("--movie-tag")) {
        if (*v != "video" && *v != "dynsrc") {
            return Usage(ctx,
                         Format("--movie-tag には video か dynsrc を指定してください（「%s」）",
                                v->c_str()));
        }
        s.MovieDynsrc = *v == "dynsrc";
    }
    if (args.Has("--list-preset") || args.Has("--layout")) FitListFrame(args, s);
    style = std::move(s);
    return 0;
}

void ChooseThumbnailList(const Args& args, PageStyle& style) {
    if (args.Has("--list-preset") || args.Has("--list-template") ||
        style.ListUseFile != TemplateSource::Preset || style.ListPreset != 0) {
        return;
    }
    style.ListPreset = kThumbnailListPreset;
    FitListFrame(args, style);
}

std::vector<std::string> DescribePageOptions(const PageStyle& style) {
    std::vector<std::string> lines;
    auto line = [&lines](const char* label, const char* option, const std::string& words) {
        lines.push_back(Format("%s (%s): %s", label, option, words.c_str()));
    };
    line("レイアウト", "--layout",
         Format("%d %s", ToFileInt(style.TopStyle), TopLayoutLabel(style.TopStyle).c_str()));
    const bool vertical = ListLayoutIsVertical(style.TopStyle);
    line(vertical ? "リストフレームの幅" : "リストフレームの高さ", "--frame-size",
         std::to_string(vertical ? style.ListFrameWidth : style.ListFrameHeight));
    line("タイトル", "--title", ToDisplay(style.TopTitle));
    if (style.ListUseFile == TemplateSource::File) {
        line("リストページ", "--list-template", "オリジナル " + ToDisplay(style.ListTemplateFile));
    } else {
        line("リストページ", "--list-preset",
             Format("プリセット %d %s", style.ListPreset,
                    ToDisplay(ListPresetName(style.ListPreset)).c_str()));
    }
    if (style.DetailUseFile == TemplateSource::File) {
        line("個別ページ", "--detail-template",
             "オリジナル " + ToDisplay(style.DetailTemplateFile));
    } else {
        line("個別ページ", "--detail-preset",
             Format("プリセット %d %s", style.DetailPreset,
                    ToDisplay(DetailPresetName(style.DetailPreset)).c_str()));
    }
    line("サムネイルの表示サイズ", "--thumb-size",
         SizeWords(style.ThumbSizeMode, style.ThumbScale, style.ThumbFitWidth,
                   style.ThumbFitHeight));
    line("個別ページの画像の表示サイズ", "--image-size",
         SizeWords(style.ImageSizeMode, style.ImageScale, style.ImageFitWidth,
                   style.ImageFitHeight));
    line("個別ページの動画", "--movie-tag", style.MovieDynsrc ? "dynsrc" : "video");
    return lines;
}

std::vector<std::string> PresetCatalogueLines() {
    std::vector<std::string> lines{"リストページのプリセット (--list-preset):"};
    for (int i = 0; i < kListPresetCount; ++i) {
        lines.push_back(Format("  %2d %s", i, ToDisplay(ListPresetName(i)).c_str()));
    }
    lines.push_back("個別ページのプリセット (--detail-preset):");
    for (int i = 0; i < kDetailPresetCount; ++i) {
        lines.push_back(Format("  %2d %s", i, ToDisplay(DetailPresetName(i)).c_str()));
    }
    return lines;
}

// options LIST.txt [page creation options]: shows the album's choices, or changes them.
int CmdOptions(Context& ctx, const Args& args) {
    const std::string& list = args.operands[0];
    if (HasPageOptions(args) && !LockAlbum(ctx, list)) return 1;
    if (!OpenAlbum(ctx, list)) return 1;
    Album& album = ctx.session.album;
    if (!HasPageOptions(args)) {
        for (const std::string& line : DescribePageOptions(album.style)) {
            std::printf("%s\n", line.c_str());
        }
        return 0;
    }
    if (int status = ApplyPageOptions(ctx, args, album.style)) return status;
    return SaveAlbum(ctx, list) ? 0 : 1;
}

}  // namespace mirulane::cli
