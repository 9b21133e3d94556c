#include "html/page_file.h"

#include "album/media.h"
#include "app/session.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

ReplaceDecision ConfirmReplace(Session& session, std::string_view path) {
    if (session.overwriteAll || !FileExists(path)) return ReplaceDecision::Write;
    switch (session.ui.ConfirmOverwrite(path)) {
        case OverwriteAnswer::Yes:
            return ReplaceDecision::Write;
        case OverwriteAnswer::All:
            session.overwriteAll = true;
            return ReplaceDecision::Write;
        case OverwriteAnswer::No:
            return ReplaceDecision::Skip;
        case OverwriteAnswer::Cancel:
            break;
    }
    return ReplaceDecision::Cancel;
}

PageWrite WriteTextFile(Session& session, std::string_view path, std::string_view text) {
    PageWrite result;
    result.error = WriteGeneratedFile(path, ToCrLf(text), &session.pictures, &result.stage);
    if (result.stage == WriteStage::Refused) {
        session.ui.Message(
            Format(Sj("出力ファイル(%s)はターゲット画像と同じファイルなので書き込みません").c_str(),
                   std::string(path).c_str()),
            "", MsgIcon::Exclamation, MsgButtons::Ok);
    }
    return result;
}

FileIdSet AlbumPictures(const EntryList& entries, std::string_view targetFolder) {
    FileIdSet pictures;
    for (int i = 0; i < entries.Count(); ++i) {
        const std::string& name = entries.Field(i, COL_FILE);
        if (KindOfName(name) == MediaKind::Other) continue;
        if (auto id = GetFileId(JoinPath(targetFolder, name))) pictures.insert(*id);
    }
    return pictures;
}

}  // namespace mirulane
