#include "app/exif_reacquire.h"

#include <string>
#include <vector>

#include "app/session.h"
#include "exif/entry_capture.h"
#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane {

ReacquireResult ReacquireExif(Session& session, bool selectedOnly) {
    Interaction& ui = session.ui;
    Album& album = session.album;
    EntryList& entries = album.entries;
    ReacquireResult result;
    {
        ui.SetWaitCursor(true);
        std::vector<int> rows;
        for (int i = 0; i < entries.Count(); ++i) {
            if (!selectedOnly || entries.IsSelected(i)) rows.push_back(i);
        }
        const int n = static_cast<int>(rows.size());
        // Read at the start: one folder for the whole run.
        const std::string folder = album.style.TargetFolder;
        EntryCapture capture;  // one table for the whole run
        for (int k = 0; k < n; ++k) {
            if (ui.Progress(k, n) == ProgressAnswer::Cancel) {
                result.cancelled = true;
                break;
            }
            // A copy: the capture writes into the list that holds the name.
            const std::string fileName = entries.Field(rows[k], COL_FILE);
            if (capture.Capture(entries, rows[k], folder, fileName, session.settings) ==
                kCaptureOk) {
                ++result.succeeded;
            }
            ++result.processed;
        }
        if (!result.cancelled) ui.Progress(n, n);
        album.modified = true;
        ui.SetWaitCursor(false);
    }
    ui.Message(SjFormat("%sエントリ %d件のうち、%d件のExif情報取得に成功しました",
                        selectedOnly ? Sj("選択").c_str() : "", result.processed, result.succeeded),
               Sj("Exif情報取得結果"), MsgIcon::Information, MsgButtons::Ok);
    return result;
}

}  // namespace mirulane
