#include "ui/thumbnail_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/session.h"
#include "app/thumbnail_run.h"
#include "app/user_path.h"
#include "ui/chooser_texts.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/ui_session.h"
#include "ui/worker_run.h"
#include "ui_thumbnail_fields.h"

namespace mirulane::ui {
ThumbnailDialog::ThumbnailDialog(UiSession& session, QWidget* parent)
    : RunDialog(session, parent, QString::fromUtf8("サムネイルの抽出"), kHelpThumbnails),
      fields_(std::make_unique<Ui::ThumbnailFields>()) {
    setObjectName(QStringLiteral("thumbnailDialog"));
    const Session& core = session.Core();
    const PageStyle& style = core.album.style;

    auto* fields = new QWidget;
    fields_->setupUi(fields);
    target_ = fields_->targetFolder;
    output_ = fields_->outputFolder;
    browse_ = fields_->browse;
    makeMissing_ = fields_->makeMissing;
    target_->setText(FromCp932(style.TargetFolder));
    output_->setText(FromCp932(style.ThumbFolder));
    for (QLineEdit* field : {target_, output_}) {
        field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 44);
    }
    browse_->setMaximumWidth(browse_->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    // Thumbnails keep the pictures' names: only a user who asked for it may send them elsewhere.
    if (!core.settings.EnvChangePath) {
        output_->setReadOnly(true);
        browse_->setEnabled(false);
    }
    connect(browse_, &QPushButton::clicked, this, &ThumbnailDialog::Browse);
    // Starts as the environment setting says; what is ticked here holds for this run only.
    makeMissing_->setChecked(core.settings.EnvMakeThumb);

    Build(QString::fromUtf8("Exif形式のJPEGファイルからサムネイル画像を抽出します。\n"
                            "デジタルカメラで撮影したJPEGのほとんどはExif形式です。\n"
                            "（ただし、サムネイルがJPEGでない場合は抽出できません）"),
          fields, QString::fromUtf8("抽出中..."), QString::fromUtf8("抽出完了"));
}

ThumbnailDialog::~ThumbnailDialog() = default;

void ThumbnailDialog::Browse() {
    std::optional<QString> chosen =
        session_.chooser().Folder(this, FolderPrompt(), output_->text());
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
