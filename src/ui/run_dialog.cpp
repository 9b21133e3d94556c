#include "ui/run_dialog.h"

#include <QPushButton>
#include <algorithm>
#include <memory>

#include "app/session.h"
#include "ui/album_run.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_help.h"
#include "ui/qt_text.h"
#include "ui/ui_session.h"
#include "ui_run_dialog.h"

namespace mirulane::ui {

RunDialog::RunDialog(UiSession& session, QWidget* parent, const QString& title, int helpContext)
    : QDialog(parent),
      session_(session),
      form_(std::make_unique<Ui::RunDialog>()),
      help_(std::make_unique<DialogHelp>(*this, session, helpContext)) {
    form_->setupUi(this);
    setWindowTitle(title);
}

RunDialog::~RunDialog() = default;

QRadioButton* RunDialog::AllButton() const { return form_->allEntries; }
QRadioButton* RunDialog::SelectedButton() const { return form_->selectedEntries; }
QWidget* RunDialog::ProgressRow() const { return form_->progressRow; }
QLabel* RunDialog::ProgressLabel() const { return form_->progressLabel; }
QProgressBar* RunDialog::ProgressBar() const { return form_->progressBar; }
QLabel* RunDialog::Counter() const { return form_->progressCounter; }

void RunDialog::Build(const QString& note, QWidget* fields, const QString& busyText,
                      const QString& doneText) {
    busyText_ = busyText;
    doneText_ = doneText;
    form_->note->setText(note);
    form_->selectedEntries->setEnabled(session_.Core().album.entries.SelectedCount() > 0);
    if (fields) {
        form_->fields->addWidget(fields);
        // Assistive technology reads the fields before the progress row and the buttons.
        form_->progressRow->raise();
        form_->buttons->raise();
    }
    // The buttons after the fields, in the order Tab takes.
    QDialogButtonBox& buttons = *form_->buttons;
    run_ = AddButton(buttons, Utf8("実行"), QDialogButtonBox::AcceptRole, "run");
    cancel_ = AddButton(buttons, HalfWidthCancelCaption(), QDialogButtonBox::RejectRole, "cancel");
    help_->AddButton(buttons);
    run_->setDefault(true);
    for (QAbstractButton* b : buttons.buttons())
        static_cast<QPushButton*>(b)->setAutoDefault(false);
    connect(run_, &QPushButton::clicked, this, [this] { Execute(); });
    connect(cancel_, &QPushButton::clicked, this, &RunDialog::reject);

    // The row keeps its place while hidden: showing it during the run needs no new layout.
    QSizePolicy policy = form_->progressRow->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    form_->progressRow->setSizePolicy(policy);
    QFontMetrics metrics = form_->progressLabel->fontMetrics();
    form_->progressLabel->setMinimumWidth(
        std::max(metrics.horizontalAdvance(busyText), metrics.horizontalAdvance(doneText)));
    form_->progressCounter->setMinimumWidth(
        metrics.horizontalAdvance(QStringLiteral("99999/99999")));
    form_->progressRow->hide();
}

QList<QWidget*> RunDialog::ControlsOffDuringRun() const {
    QList<QWidget*> controls;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != form_->progressRow && w != form_->buttons) controls << w;
    }
    for (QAbstractButton* b : form_->buttons->buttons()) {
        if (b != cancel_) controls << b;
    }
    return controls;
}

bool RunDialog::SelectedOnly() const { return form_->selectedEntries->isChecked(); }

void RunDialog::RunWithProgress(std::function<bool()> run, std::function<void(bool)> finish) {
    // Nothing but the run's own questions and ｷｬﾝｾﾙ can be answered meanwhile.
    for (QWidget* w : ControlsOffDuringRun()) {
        if (!w->testAttribute(Qt::WA_Disabled)) {
            w->setEnabled(false);
            disabled_ << w;
        }
    }
    QPointer<RunDialog> self(this);
    // Figures already on their way may arrive after the dialog has gone.
    session_.interaction().SetProgressSink([self](int done, int total) {
        if (self) self->ShowProgress(done, total);
    });
    auto close = std::make_shared<bool>(false);
    // A dialog gone before its run has ended (the dialog always waits for it; a caller may
    // not): the run goes on and puts its results in place, but shows nothing.
    session_.StartRun([run, close] { *close = run(); },
                      [self, close, finish, &ui = session_.interaction()] {
                          ui.SetProgressSink({});
                          if (self) {
                              self->RunEnd(*close, finish);
                          } else {
                              finish(*close);
                          }
                      },
                      [this](AlbumRun& started) {
                          working_ = &started;
                          emit RunStarting();
                      });
}

void RunDialog::RunEnd(bool close, const std::function<void(bool)>& finish) {
    working_ = nullptr;
    // The counter says how many entries were done, now that none is in hand.
    form_->progressCounter->setText(QString::asprintf("%d/%d", shownDone_, shownTotal_));
    if (!close) {
        for (QWidget* w : disabled_) {
            if (w) w->setEnabled(true);
        }
        disabled_.clear();
    }
    // With the controls back, so that finish can put the focus on one.
    finish(close);
    if (close) accept();
}

void RunDialog::ShowProgress(int done, int total) {
    form_->progressLabel->setText(done >= total ? doneText_ : busyText_);
    form_->progressBar->setRange(0, total);
    form_->progressBar->setValue(done);
    shownDone_ = done;
    shownTotal_ = total;
    // While entry i of N is in hand the counter says i/N: a run never shows 0/N at work.
    const int shown = working_ && done < total ? done + 1 : done;
    form_->progressCounter->setText(QString::asprintf("%d/%d", shown, total));
    form_->progressRow->show();
}

void RunDialog::reject() {
    // During the run, ｷｬﾝｾﾙ, Escape and the close box ask the run to stop after the entry in
    // hand; the dialog is left once it has.
    if (working_) {
        working_->Cancel();
        return;
    }
    QDialog::reject();
}

}  // namespace mirulane::ui
