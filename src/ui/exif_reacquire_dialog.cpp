#include "ui/exif_reacquire_dialog.h"

#include "app/exif_reacquire.h"
#include "ui/help.h"
#include "ui/ui_session.h"

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
    RunWithProgress([this] {
        ReacquireExif(session_.Core(), SelectedOnly());
        return true;
    });
}

int ExecExifReacquireDialog(UiSession& session, QWidget* parent) {
    ExifReacquireDialog dialog(session, parent);
    return session.chooser().Exec(dialog);
}

}  // namespace mirulane::ui
