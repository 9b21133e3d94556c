#include "ui/thumbnail_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/session.h"
#include "app/thumbnail_run.h"
#include "app/user_path.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/ui_session.h"
#include "ui/worker_run.h"

namespace mirulane::ui {
namespace {

QLineEdit* FolderField(const char* objectName, const QString& accessibleName,
                       const std::string& cp932) {
    auto* field = new QLineEdit(FromCp932(cp932));
    field->setObjectName(QString::fromLatin1(objectName));
    field->setAccessibleName(accessibleName);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 44);
    return field;
}

}  // namespace

ThumbnailDialog::ThumbnailDialog(UiSession& session, QWidget* parent)
    : RunDialog(session, parent, QString::fromUtf8("サムネイルの抽出"), kHelpThumbnails) {
    setObjectName(QStringLiteral("thumbnailDialog"));
    const Session& core = session.Core();
    const PageStyle& style = core.album.style;

    target_ =
        FolderField("targetFolder", QString::fromUtf8("ターゲット画像の場所"), style.TargetFolder);
    target_->setReadOnly(true);
    output_ =
        FolderField("outputFolder", QString::fromUtf8("サムネイル画像の出力先"), style.ThumbFolder);
    browse_ = new QPushButton(QStringLiteral("..."));
    browse_->setObjectName(QStringLiteral("browse"));
    browse_->setAccessibleName(QString::fromUtf8("出力先のフォルダを選択"));
    browse_->setAutoDefault(false);
    browse_->setMaximumWidth(browse_->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    // Thumbnails keep the pictures' names: only a user who asked for it may send them elsewhere.
    if (core.settings.EnvChangePath == 0) {
        output_->setReadOnly(true);
        browse_->setEnabled(false);
    }
    connect(browse_, &QPushButton::clicked, this, &ThumbnailDialog::Browse);

    auto* fields = new QGridLayout;
    auto* targetLabel = new QLabel(QString::fromUtf8("ターゲット画像の場所(&G):"));
    targetLabel->setBuddy(target_);
    auto* outputLabel = new QLabel(QString::fromUtf8("サムネイル画像の出力先(&T):"));
    outputLabel->setBuddy(output_);
    fields->addWidget(targetLabel, 0, 0, 1, 2);
    fields->addWidget(target_, 1, 0, 1, 2);
    fields->addWidget(outputLabel, 2, 0, 1, 2);
    fields->addWidget(output_, 3, 0);
    fields->addWidget(browse_, 3, 1);
    // Starts as the environment setting says; what is ticked here holds for this run only.
    makeMissing_ = new QCheckBox(QString::fromUtf8("サムネイルのない画像は縮小して作成する(&M)"));
    makeMissing_->setObjectName(QStringLiteral("makeMissing"));
    makeMissing_->setChecked(core.settings.EnvMakeThumb != 0);
    fields->addWidget(makeMissing_, 4, 0, 1, 2);

    Build(QString::fromUtf8("Exif形式のJPEGファイルからサムネイル画像を抽出します。\n"
                            "デジタルカメラで撮影したJPEGのほとんどはExif形式です。\n"
                            "（ただし、サムネイルがJPEGでない場合は抽出できません）"),
          fields, QString::fromUtf8("抽出中..."), QString::fromUtf8("抽出完了"));
}

void ThumbnailDialog::Browse() {
    std::optional<QString> chosen = session_.chooser().Folder(
        this, QString::fromUtf8("フォルダを選択してください"), output_->text());
    if (chosen && session_.AlbumPath(*chosen)) output_->setText(*chosen);
}

void ThumbnailDialog::Execute() {
    UserPath checked = UserPathToCp932(output_->text().toStdString());
    if (checked.refusal == PathRefusal::NotShiftJis) {
        session_.chooser().Message(
            this, QMessageBox::Warning, QStringLiteral("Mirulane"),
            QString::fromUtf8("Shift-JIS で表せない文字を含むフォルダは使用できません\n") +
                output_->text(),
            QMessageBox::Ok);
    } else if (checked.refusal == PathRefusal::Backslash) {
        session_.RefusePath(output_->text());
    }
    if (checked.refusal != PathRefusal::None) {
        output_->setFocus();
        return;
    }
    const std::string output = checked.cp932;
    Session& core = session_.Core();
    const ThumbnailRunRequest request{core.album.style.TargetFolder, output, SelectedOnly(),
                                      makeMissing_->isChecked()};
    // The decoders' process-wide state is set up here, on the window's thread, before the
    // run's threads decode.
    PrepareThumbnailRun(request);
    std::shared_ptr<Session> run = CopyForRun(core);
    RunWithProgress(
        [run, request] {
            return RunThumbnailExtraction(*run, request).status == ThumbnailRunStatus::Done;
        },
        [&core, output, self = QPointer<ThumbnailDialog>(this)](bool done) {
            if (done) {
                StoreThumbFolder(core.album, output);
            } else if (self) {
                // The folder could not be made, or is the target folder: the user types
                // another.
                self->output_->setFocus();
            }
        });
}

int ExecThumbnailDialog(UiSession& session, QWidget* parent) {
    ThumbnailDialog dialog(session, parent);
    return session.chooser().Exec(dialog);
}

}  // namespace mirulane::ui
