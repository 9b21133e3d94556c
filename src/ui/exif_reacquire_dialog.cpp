#include "ui/exif_reacquire_dialog.h"

#include "app/exif_reacquire.h"
#include "app/session.h"
#include "ui/help.h"
#include "ui/ui_session.h"
#include "ui/worker_run.h"

namespace mirulane::ui {

ExifReacquireDialog::ExifReacquireDialog(UiSession& session, QWidget* parent)
    : RunDialog(session, parent, QString::fromUtf8("Exif情報の再取得"), kHelpExifReacquire) {
    setObjectName(QStringLiteral("exifReacquireDialog"));
    Build(QString::fromUtf8("Exif形式のJPEGファイルから撮影データ（メーカーなど）を\n"
                            "再取得します。変更済みの項目は、元に戻ってしまうので\n"
                            "ご注意ください。"),
          nullptr, QString::fromUtf8("取得中..."), QString::fromUtf8("取得完了"));
}

void ExifReacquireDialog::Execute() {
    Session& core = session_.Core();
    const bool selectedOnly = SelectedOnly();
    std::shared_ptr<Session> run = CopyForRun(core);
    RunWithProgress(
        [run, selectedOnly] {
            ReacquireExif(*run, selectedOnly);
            return true;
        },
        [&core, run](bool) {
            // What the run read goes into the window's album: only changed fields are
            // announced, so the list keeps its place. A cancelled run keeps what it read
            // before the cancel.
            EntryList& entries = core.album.entries;
            const EntryList& read = run->album.entries;
            for (int row = 0; row < entries.Count() && row < read.Count(); ++row) {
                for (int column = 0; column < kColumnCount; ++column) {
                    entries.SetField(row, column, read.Field(row, column));
                }
            }
            if (run->album.modified) core.album.modified = true;
        });
}

int ExecExifReacquireDialog(UiSession& session, QWidget* parent) {
    ExifReacquireDialog dialog(session, parent);
    return session.chooser().Exec(dialog);
}

}  // namespace mirulane::ui
