#include "app/thumbnail_run.h"

#include <vector>

#include "app/session.h"
#include "app/thumbnail_step.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"
#include "exif/exif_thumbnail.h"
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
    BusyScope busy(session.album);
    WaitCursor wait(ui);
    ThumbnailRunResult result;

    std::string target = PrepareFolder(request.targetFolder);
    std::string output = PrepareFolder(request.outputFolder);
    if (MakeFolderPath(output) != 0) {
        ShowWarning(ui, SjFormat("サムネイル出力先フォルダを作成できません\n%s", output.c_str()));
        result.status = ThumbnailRunStatus::NoOutputFolder;
        return result;
    }
    // Linux file systems tell letter case apart, so the texts compare exactly.
    if (output == target || SameFolder(output, target)) {
        ui.Message(Sj("サムネイルの出力先は、ターゲットとは別の場所を指定してください"),
                   Sj("サムネイルの出力先エラー"), MsgIcon::Exclamation, MsgButtons::Ok);
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

    OverwritePolicy overwrite(ui, session.settings.EnvForceOverWrite != 0);
    OutputLedger outputs;
    ThumbnailOutput out{ui, overwrite, output, &pictures, &outputs};
    ExifTable table = MakeThumbnailTable();
    for (int k = 0; k < n && !result.cancelled; ++k) {
        if (ui.Progress(k, n) == ProgressAnswer::Cancel) {
            result.cancelled = true;
            break;
        }
        const std::string& fileName = entries.Field(rows[k], COL_FILE);
        ExifThumbnail thumbnail;
        ++result.processed;
        if (ReadExif(target + fileName, table, &thumbnail) != kExifOk ||
            thumbnail.status != ThumbnailFind::Found) {
            continue;
        }
        switch (WriteThumbnail(out, fileName,
                               OrientedThumbnail(thumbnail.bytes, thumbnail.orientation))) {
            case ThumbnailWrite::Written:
                ++result.succeeded;
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
    // Also after a cancel: what was written must be known as the program's.
    outputs.Save(ui);
    result.outputs = outputs.Tally();
    if (result.cancelled) return result;
    ui.Progress(n, n);
    ui.Message(SjFormat("%sエントリ %d件のうち、%d件のサムネイル抽出に成功しました",
                        request.selectedOnly ? Sj("選択").c_str() : "", result.processed,
                        result.succeeded),
               Sj("サムネイル抽出結果"), MsgIcon::Information, MsgButtons::Ok);
    return result;
}

void StoreThumbFolder(Album& album, std::string_view folder) {
    if (album.style.ThumbFolder == folder) return;
    album.style.ThumbFolder = std::string(folder);
    album.modified = true;
}

}  // namespace mirulane
