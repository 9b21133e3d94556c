#include "ui/run_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "app/session.h"
#include "ui/album_run.h"
#include "ui/browser.h"
#include "ui/help.h"
#include "ui/ui_session.h"

namespace mirulane::ui {

RunDialog::RunDialog(UiSession& session, QWidget* parent, const QString& title, int helpContext)
    : QDialog(parent), session_(session), savedHelpContext_(session.HelpContext()) {
    setWindowTitle(title);
    session_.SetHelpContext(helpContext);
}

RunDialog::~RunDialog() {
    // Opened from the main window, the main window's context after a dialog; opened from
    // another dialog, that dialog's.
    session_.SetHelpContext(savedHelpContext_ <= kHelpMainWindowAgain ? kHelpMainWindowAgain
                                                                      : savedHelpContext_);
}

void RunDialog::Build(const QString& note, QLayout* fields, const QString& busyText,
                      const QString& doneText) {
    busyText_ = busyText;
    doneText_ = doneText;
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(note);
    text->setTextFormat(Qt::PlainText);
    layout->addWidget(text);

    all_ = new QRadioButton(QString::fromUtf8("すべてのエントリを処理する(&A)"));
    all_->setObjectName(QStringLiteral("allEntries"));
    selected_ = new QRadioButton(QString::fromUtf8("選択したエントリだけを処理する(&S)"));
    selected_->setObjectName(QStringLiteral("selectedEntries"));
    all_->setChecked(true);
    selected_->setEnabled(session_.Core().album.entries.SelectedCount() > 0);
    layout->addWidget(all_);
    layout->addWidget(selected_);
    if (fields) layout->addLayout(fields);

    // The row keeps its place while hidden: showing it during the run needs no new layout.
    row_ = new QWidget;
    row_->setObjectName(QStringLiteral("progressRow"));
    QSizePolicy policy = row_->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    row_->setSizePolicy(policy);
    auto* rowLayout = new QHBoxLayout(row_);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    label_ = new QLabel;
    label_->setObjectName(QStringLiteral("progressLabel"));
    QFontMetrics metrics = label_->fontMetrics();
    label_->setMinimumWidth(
        std::max(metrics.horizontalAdvance(busyText), metrics.horizontalAdvance(doneText)));
    bar_ = new QProgressBar;
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setAccessibleName(QString::fromUtf8("進行状況"));
    bar_->setTextVisible(false);
    counter_ = new QLabel;
    counter_->setObjectName(QStringLiteral("progressCounter"));
    counter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    counter_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("99999/99999")));
    rowLayout->addWidget(label_);
    rowLayout->addWidget(bar_, 1);
    rowLayout->addWidget(counter_);
    row_->hide();
    layout->addWidget(row_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    run_ = new QPushButton(QString::fromUtf8("実行"));
    run_->setObjectName(QStringLiteral("run"));
    run_->setDefault(true);
    cancel_ = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"));
    cancel_->setObjectName(QStringLiteral("cancel"));
    auto* cancel = cancel_;
    auto* help = new QPushButton(QString::fromUtf8("ヘルプ"));
    help->setObjectName(QStringLiteral("help"));
    for (QPushButton* b : {run_, cancel, help}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(run_, &QPushButton::clicked, this, [this] { Execute(); });
    connect(cancel, &QPushButton::clicked, this, &RunDialog::reject);
    connect(help, &QPushButton::clicked, this, &RunDialog::OpenHelp);
}

bool RunDialog::SelectedOnly() const { return selected_->isChecked(); }

void RunDialog::RunWithProgress(std::function<bool()> run, std::function<void(bool)> finish) {
    // Nothing but the run's own questions and ｷｬﾝｾﾙ can be answered meanwhile.
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != row_ && w != cancel_ && !w->testAttribute(Qt::WA_Disabled)) {
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
    label_->setText(done >= total ? doneText_ : busyText_);
    bar_->setRange(0, total);
    bar_->setValue(done);
    counter_->setText(QString::asprintf("%d/%d", done, total));
    row_->show();
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

void RunDialog::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        OpenHelp();
        return;
    }
    QDialog::keyPressEvent(e);
}

void RunDialog::OpenHelp() {
    QUrl url = HelpUrl(session_.HelpContext());
    if (!url.isEmpty()) OpenInBrowser(session_.chooser(), this, url);
}

}  // namespace mirulane::ui
