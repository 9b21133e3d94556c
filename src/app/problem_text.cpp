#include "app/problem_text.h"

#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane {
namespace {

// The entries passed over are named up to this many; the rest are counted.
constexpr size_t kListedEntries = 10;
// The extensions the filter left out are named up to this many; the rest are summed up.
constexpr size_t kListedExtensions = 10;

// "...(errno=%d)\n%s" and the like: the errno and the path, in that order.
std::string ErrnoPath(const char* utf8Format, const Problem& p) {
    return SjFormat(utf8Format, p.error, p.path.c_str());
}

bool Storing(const Problem& p) { return p.stage == WriteStage::Write; }

// How many entries were passed over, and the first few of them by their place in the album.
std::string EntriesWithoutPages(const Problem& p) {
    std::string text = SjFormat(
        "次のエントリ %d 件は名前に Shift-JIS で表せない文字を含むため、"
        "個別ページを作成せず一覧ページにも載せませんでした",
        static_cast<int>(p.items.size()));
    for (size_t k = 0; k < p.items.size() && k < kListedEntries; ++k) {
        text += SjFormat("\n%d 番目: ", p.items[k].second) + p.items[k].first;
    }
    if (p.items.size() > kListedEntries) {
        text += SjFormat("\nほか %d 件", static_cast<int>(p.items.size() - kListedEntries));
    }
    return text;
}

// The files the extension filter did not take, by extension: "フィルタで除外: jpeg 1件, txt
// 2件", so that a photo left out (a .jpeg among .jpg files) is never a mystery.
std::string FilteredOut(const Problem& p) {
    std::string text = Sj("フィルタで除外: ");
    int rest = 0;
    for (size_t k = 0; k < p.items.size(); ++k) {
        const auto& [ext, count] = p.items[k];
        if (k >= kListedExtensions) {
            rest += count;
            continue;
        }
        if (k > 0) text += ", ";
        text += ext.empty() ? Sj("（拡張子なし）") : ext;
        text += SjFormat(" %d件", count);
    }
    if (rest > 0) text += SjFormat(", ほか %d件", rest);
    return text;
}

int CountAt(const Problem& p, size_t k) { return k < p.counts.size() ? p.counts[k] : 0; }

// The files a scan could not take: the line before their names and the line of counts after.
std::pair<std::string, std::string> NamesNotScannedTexts(const Problem& p) {
    return {SjFormat("次のファイル %d 件はエントリにできないため読み込みませんでした", p.count),
            SjFormat("（Shift-JIS で表せない文字を含む名前: %d 件、"
                     "「\\」を含む名前: %d 件、改行やタブを含む名前: %d 件）",
                     CountAt(p, 0), CountAt(p, 1), CountAt(p, 2))};
}

}  // namespace

std::string DecodeProblemText(int code, bool movie) {
    // The values of ThumbnailProblem, which the layers below word through here.
    switch (code) {
        case 1:  // Unreadable
            return Sj("ファイルを読み込めません");
        case 2:  // NotItsKind
            return Sj(movie ? "拡張子の示す種類の動画ではありません"
                            : "拡張子の示す種類の画像ではありません");
        case 3:  // Damaged
            return Sj(movie ? "動画が壊れています" : "画像が壊れています");
        case 4:  // TooLarge
            return Sj(movie ? "動画が大きすぎます" : "画像が大きすぎます");
        case 6:  // TimedOut
            return Sj("デコードに時間がかかりすぎます");
        case 0:  // None
        case 5:  // NotDecodable
            break;
    }
    return Sj(movie ? "動画をデコードできません" : "画像をデコードできません");
}

ProblemNotice ProblemText(const Problem& p) {
    const char* path = p.path.c_str();
    switch (p.kind) {
        case ProblemKind::AlbumNotOpened:
            return {ErrnoPath("入力ファイルを開けません(errno=%d)\n%s", p), Sj("オープンエラー")};
        case ProblemKind::NotAnAlbumList:
            return {SjFormat("%s\nはアルバムリストファイルではありません", path),
                    Sj("オープンエラー")};
        case ProblemKind::RecentAlbumGone:
            return {SjFormat("アルバムリストファイルが見つかりません。"
                             "最近使ったアルバムの一覧から外しました\n%s",
                             path),
                    Sj("オープンエラー")};
        case ProblemKind::AlbumNotSaved:
            return {p.stage == WriteStage::Create
                        ? ErrnoPath("出力ファイルを開けません(errno=%d)\n%s", p)
                        : ErrnoPath("出力ファイルに書き込めません(errno=%d)\n%s", p)};
        case ProblemKind::NamesRefused:
            return {SjFormat("ファイル名が正しくない行を %d 行読み飛ばしました", p.count)};
        case ProblemKind::TemplateNotOpened:
            return {ErrnoPath("指定されたテンプレートファイルを開けません(errno=%d)\n%s", p)};
        case ProblemKind::TemplateEmpty:
            return {ErrnoPath("テンプレートファイルから読み込めません(errno=%d)\n%s", p)};
        case ProblemKind::TemplateMarkersMissing:
            return {Sj("テンプレートの内容が不正です")};
        case ProblemKind::PresetNotWritten:
            // The temporary file could not be created or could not take the name's place.
            return {Storing(p) ? ErrnoPath("ファイル出力エラー(errno=%d)\n%s", p)
                               : ErrnoPath("出力ファイルを開けません(errno=%d)\n%s", p)};
        case ProblemKind::TargetFolderUnset:
            return {Sj("ターゲットフォルダが設定されていないため、HTMLページを作成できません")};
        case ProblemKind::PageFoldersUnset:
            return {Sj("ページの出力先フォルダが設定されていないため、HTMLページを作成できません")};
        case ProblemKind::OutputIsPicture:
            return {SjFormat("出力ファイル(%s)はターゲット画像と同じファイルなので書き込みません",
                             path)};
        case ProblemKind::TopFolderNotMade:
            return {Sj("トップページの出力先フォルダを作成できません\n") + p.path};
        case ProblemKind::TopPageNotWritten:
            return {Storing(p) ? ErrnoPath("HTMLファイルに書き込めません(errno=%d)\n%s", p)
                               : ErrnoPath("トップページを開けません (errno=%d)\n%s", p)};
        case ProblemKind::TopStyleUnknown:
            return {Sj("トップページのスタイルが不正")};
        case ProblemKind::AutorunNotWritten:
            return {Storing(p) ? ErrnoPath("ファイル出力エラー(errno=%d)\n%s", p)
                               : ErrnoPath("自動再生情報を開けません (errno=%d)\n%s", p)};
        case ProblemKind::ListFolderNotMade:
            return {Sj("一覧ページの出力先フォルダを作成できません\n") + p.path};
        case ProblemKind::ListPageNotWritten:
            // The page is stored in one piece, so a failure while storing it meets its head.
            return {Storing(p) ? Sj("リストHTMLファイル出力エラー(1)")
                               : ErrnoPath("一覧ページを開けません (errno=%d)\n%s", p)};
        case ProblemKind::ListPageTooLarge:
            return {
                SjFormat("一覧ページが大きくなりすぎるため作成できません（上限 %dMB）\n"
                         "タイトルやコメントなどに置換対象文字列が含まれていないか"
                         "確認してください\n%s",
                         p.count, path)};
        case ProblemKind::DetailFolderNotMade:
            return {Sj("個別ページの出力先フォルダを作成できません\n") + p.path};
        case ProblemKind::DetailPageNotWritten:
            // A failure to store the page names the entry, one to create it the file.
            return {Storing(p) ? SjFormat("HTMLファイルに書き込めません(errno=%d)\n%s", p.error,
                                          p.name.c_str())
                               : ErrnoPath("出力HTMLファイルを開けません(errno=%d)\n%s", p)};
        case ProblemKind::DetailPageTooLarge:
            return {
                SjFormat("個別ページが大きくなりすぎるため作成できません（上限 %dMB）\n"
                         "タイトルやコメントなどに置換対象文字列が含まれていないか"
                         "確認してください\n%s",
                         p.count, path)};
        case ProblemKind::EntryNameLeavesFolder:
            return {Sj("このエントリのファイル名では個別ページを作成できません\n") + p.name};
        case ProblemKind::EntriesWithoutPages:
            return {EntriesWithoutPages(p)};
        case ProblemKind::RecordNotSaved:
            return {ErrnoPath("出力ファイルの記録を保存できません(errno=%d)\n%s", p)};
        case ProblemKind::PreviewNotWritten:
            return {Storing(p) ? SjFormat("HTMLファイルに出力できません\n%s", path)
                               : ErrnoPath("出力HTMLファイルを開けません(errno=%d)\n%s", p)};
        case ProblemKind::PreviewListNotWritten:
            return {Storing(p) ? Sj("リストHTMLファイル出力エラー(1)")
                               : ErrnoPath("出力HTMLファイルを開けません(errno=%d)\n%s", p)};
        case ProblemKind::PreviewTooLarge:
            return {SjFormat("HTMLファイルに出力できません\n%s", path)};
        case ProblemKind::FolderUnreadable:
            return {SjFormat("指定したフォルダにはファイルが１件もありません\n%s", path), "",
                    MsgIcon::None};
        case ProblemKind::NamesNotScanned: {
            auto [before, after] = NamesNotScannedTexts(p);
            return {before + "\n" + after};
        }
        case ProblemKind::FilteredOut:
            return {FilteredOut(p), "", MsgIcon::Information};
        case ProblemKind::ThumbFolderNotMade:
            return {SjFormat("サムネイル出力先フォルダを作成できません\n%s", path)};
        case ProblemKind::ThumbFolderIsTarget:
            return {Sj("サムネイルの出力先は、ターゲットとは別の場所を指定してください"),
                    Sj("サムネイルの出力先エラー")};
        case ProblemKind::ThumbnailNotWritten:
            if (Storing(p)) {
                return {SjFormat("サムネイル(%s)の出力に失敗しました[%d]\n", path, p.error)};
            }
            if (p.stage == WriteStage::Refused) {
                return {SjFormat("サムネイル(%s)はターゲット画像と同じファイルなので書き込みません",
                                 path)};
            }
            return {SjFormat("サムネイル(%s)を作成できません[%d]", path, p.error)};
        case ProblemKind::MovieFolderNotMade:
            return {SjFormat("動画の再生用コピーの出力先フォルダを作成できません\n%s", path)};
        case ProblemKind::MovieFolderIsTarget:
            return {
                SjFormat("動画の再生用コピーの出力先がターゲットフォルダと同じため、コピーを作成"
                         "しません\n%s",
                         path)};
        case ProblemKind::MovieCopiesNotMade: {
            std::string text = SjFormat(
                "次の %d件の動画は再生用コピーを作成できませんでした（ページは元のファイルを再生し"
                "ます）:",
                static_cast<int>(p.items.size()));
            for (const auto& [name, why] : p.items) {
                text += "\n" + name + ": " +
                        (why == kCopyNotWritten ? Sj("ファイルを書き込めません")
                                                : DecodeProblemText(why, true));
            }
            return {text, "", MsgIcon::Exclamation};
        }
    }
    return {};
}

void Report(Interaction& ui, const Problem& problem) {
    if (!problem.files.empty()) {
        // The names go to the front end as they are: a terminal can show what CP932 cannot.
        auto [before, after] = NamesNotScannedTexts(problem);
        ui.WarnNamingFiles(before, problem.files, after);
        return;
    }
    ProblemNotice notice = ProblemText(problem);
    ui.Message(notice.text, notice.caption, notice.icon, MsgButtons::Ok);
}

void Report(Interaction& ui, const std::vector<Problem>& problems) {
    for (const Problem& p : problems) Report(ui, p);
}

}  // namespace mirulane
