#include "app/thumbnail_run.h"

#include <vector>

#include "app/session.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"
#include "exif/thumbnail_step.h"
#include "html/page_file.h"
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

}  // namespace

ThumbnailRunResult RunThumbnailExtraction(Session& session, const ThumbnailRunRequest& request) {
    Interaction& ui = session.ui;
    session.overwriteAll = session.settings.EnvForceOverWrite != 0;
    bool cancelled = false;
    WaitCursor wait(ui);
    ThumbnailRunResult result;

    std::string target = PrepareFolder(request.targetFolder);
    std::string output = PrepareFolder(request.outputFolder);
    if (MakeFolderPath(output) != 0) {
        ui.Message(
            Format(Sj("サムネイル出力先フォルダを作成できません\n%s").c_str(), output.c_str()), "",
            MsgIcon::Exclamation, MsgButtons::Ok);
        result.status = kThumbRunNoOutputFolder;
        return result;
    }
    // Linux file systems tell letter case apart, so the texts compare exactly.
    if (output == target || SameFolder(output, target)) {
        ui.Message(Sj("サムネイルの出力先は、ターゲットとは別の場所を指定してください"),
                   Sj("サムネイルの出力先エラー"), MsgIcon::Exclamation, MsgButtons::Ok);
        result.status = kThumbRunOutputIsTarget;
        return result;
    }

    const EntryList& entries = session.album.entries;
    session.pictures = AlbumPictures(entries, target);
    // What an earlier run left when it was killed goes.
    RemoveStaleTempFiles(output);
    std::vector<int> rows;
    for (int i = 0; i < entries.Count(); ++i) {
        if (!request.selectedOnly || entries.IsSelected(i)) rows.push_back(i);
    }
    const int n = static_cast<int>(rows.size());
    if (request.progress) request.progress(0, n);

    ExifTable table = MakeThumbnailTable();
    for (int i = 1; i <= n && !cancelled; ++i) {
        if (request.progress) request.progress(i, n);
        const std::string& fileName = entries.Field(rows[i - 1], COL_FILE);
        ThumbnailOutput out{ui, session.overwriteAll, cancelled, output, fileName};
        out.keep = &session.pictures;
        if (ReadExif(target + fileName, table, &out) == kExifOk) ++result.succeeded;
        if (out.writeFailed) ++result.writeFailed;
        ++result.processed;
    }
    result.cancelled = cancelled;
    if (!cancelled) {
        ui.Message(Format(Sj("%sエントリ %d件のうち、%d件のサムネイル抽出に成功しました").c_str(),
                          request.selectedOnly ? Sj("選択").c_str() : "", result.processed,
                          result.succeeded),
                   Sj("サムネイル抽出結果"), MsgIcon::Information, MsgButtons::Ok);
    }
    return result;
}

}  // namespace mirulane
