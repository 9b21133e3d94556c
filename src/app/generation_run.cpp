#include "app/generation_run.h"

#include <set>
#include <string>

#include "album/media.h"
#include "app/session.h"
#include "html/detail_page.h"
#include "html/list_page.h"
#include "html/page_file.h"
#include "html/page_names.h"
#include "html/top_page.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace mirulane {
namespace {

// An empty folder would mean the working directory, wherever the program happens to run: an
// album that names no target folder or no page folder (a hand-made list file) writes nothing.
bool RefuseWithoutFolders(const PageStyle& s, Interaction& ui) {
    const char* missing = nullptr;
    if (s.TargetFolder.empty()) {
        missing = "ターゲットフォルダが設定されていないため、HTMLページを作成できません";
    } else if (s.TopFolder.empty() || s.ListFolder.empty() || s.DetailFolder.empty()) {
        missing = "ページの出力先フォルダが設定されていないため、HTMLページを作成できません";
    }
    if (!missing) return false;
    ui.Message(Sj(missing), "", MsgIcon::Exclamation, MsgButtons::Ok);
    return true;
}

}  // namespace

int GenerationRun(Session& session) {
    Interaction& ui = session.ui;
    if (RefuseWithoutFolders(session.album.style, ui)) return -1;
    session.overwriteAll = session.settings.EnvForceOverWrite != 0;
    const PageStyle& style = session.album.style;
    session.pictures = AlbumPictures(session.album.entries, style.TargetFolder);
    // What an earlier run left when it was killed goes, once per output folder.
    std::set<std::string> folders;
    for (const std::string* folder : {&style.TopFolder, &style.ListFolder, &style.DetailFolder}) {
        if (folders.insert(EnsureTrailingSeparator(*folder)).second) RemoveStaleTempFiles(*folder);
    }
    // One locator and one set of page names for the run: the thumbnail and picture folders are
    // each listed once, and every link names the page its entry gets.
    PageRun run(session.album);
    int result = 0;

    ui.SetStatus(0, Sj("トップページを作成しています..."));
    if (WriteTopPageStep(session, run.pages) < 0) {
        result = -1;
    } else {
        ui.SetStatus(0, Sj("リストページを作成しています..."));
        if (WriteListPageStep(session, run) < 0) {
            result = -2;
        } else {
            ui.SetStatus(0, Sj("個別ページを作成しています..."));
            if (WriteAllDetailPages(session, run) < 0) result = -3;
        }
    }
    ui.SetStatus(0, "");
    return result;
}

int CreateHtmlCommand(Session& session, std::string& openPath) {
    openPath.clear();
    int result = GenerationRun(session);
    if (result < 0) {
        session.album.modified = true;
        session.ui.Message(Sj("HTMLページの作成に失敗しました"), Sj("エラーメッセージ"),
                           MsgIcon::Stop, MsgButtons::Ok);
        return result;
    }
    MsgAnswer answer =
        session.ui.Message(Sj("HTMLページを作成しました\n\nブラウザで表示してみますか？　　"),
                           Sj("メッセージ"), MsgIcon::Information, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes) openPath = IndexHtmlPath(session.album.style);
    return result;
}

}  // namespace mirulane
