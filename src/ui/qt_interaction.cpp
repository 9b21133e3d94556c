#include "ui/qt_interaction.h"

#include <QApplication>
#include <QProgressDialog>
#include <QThread>
#include <algorithm>

#include "app/files.h"
#include "app/text.h"
#include "ui/dialog_buttons.h"
#include "ui/overwrite_dialog.h"
#include "ui/qt_text.h"

namespace mirulane::ui {

QtInteraction::QtInteraction(Chooser& chooser) : chooser_(chooser) {}

QtInteraction::~QtInteraction() { EndRun(); }

bool QtInteraction::OnWindowThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

MsgAnswer QtInteraction::Message(std::string_view text, std::string_view caption, MsgIcon icon,
                                 MsgButtons buttons) {
    if (!OnWindowThread()) {
        // The texts stay where they are while the run waits for the answer.
        MsgAnswer answer = MsgAnswer::Cancel;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { answer = Message(text, caption, icon, buttons); },
            Qt::BlockingQueuedConnection);
        return answer;
    }
    PutProgressAside();
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
        case MsgIcon::None:
            qicon = QMessageBox::NoIcon;
            break;
        case MsgIcon::Information:
            qicon = QMessageBox::Information;
            break;
        case MsgIcon::Exclamation:
            qicon = QMessageBox::Warning;
            break;
        case MsgIcon::Question:
            qicon = QMessageBox::Question;
            break;
        case MsgIcon::Stop:
            qicon = QMessageBox::Critical;
            break;
    }
    QMessageBox::StandardButtons qbuttons = QMessageBox::Ok;
    switch (buttons) {
        case MsgButtons::Ok:
            qbuttons = QMessageBox::Ok;
            break;
        case MsgButtons::OkCancel:
            qbuttons = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case MsgButtons::YesNo:
            qbuttons = QMessageBox::Yes | QMessageBox::No;
            break;
        case MsgButtons::YesNoCancel:
            qbuttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
    }
    QString title = caption.empty() ? QStringLiteral("Mirulane") : FromCp932(caption);
    QMessageBox::StandardButton answer =
        chooser_.Message(Owner(), qicon, title, FromCp932(text), qbuttons);
    // A box closed without a button counts as its way out: No where there is no Cancel.
    switch (answer) {
        case QMessageBox::Ok:
            return MsgAnswer::Ok;
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        default:
            break;
    }
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        case MsgButtons::OkCancel:
        case MsgButtons::YesNoCancel:
            return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
}

void QtInteraction::WarnNamingFiles(std::string_view before, const std::vector<std::string>& names,
                                    std::string_view after) {
    if (!OnWindowThread()) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { WarnNamingFiles(before, names, after); },
            Qt::BlockingQueuedConnection);
        return;
    }
    PutProgressAside();
    QString text = FromCp932(before);
    for (const std::string& name : names) {
        text += QStringLiteral("\n  ") + QString::fromStdString(ShownName(name));
    }
    text += QLatin1Char('\n') + FromCp932(after);
    chooser_.Message(Owner(), QMessageBox::Warning, QStringLiteral("Mirulane"), text,
                     QMessageBox::Ok);
}

OverwriteAnswer QtInteraction::ConfirmOverwrite(std::string_view path) {
    if (!OnWindowThread()) {
        OverwriteAnswer answer = OverwriteAnswer::Cancel;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { answer = ConfirmOverwrite(path); },
            Qt::BlockingQueuedConnection);
        return answer;
    }
    PutProgressAside();
    FileStatus status;
    // A file that vanished meanwhile cannot be asked about: that counts as cancel.
    if (GetFileStatus(path, status) != 0) return OverwriteAnswer::Cancel;
    SplitPathResult parts = SplitPath(path);
    OverwriteDialog dialog(Owner(), FromCp932(parts.folder), FromCp932(parts.file),
                           SizeText(static_cast<qint64>(status.size)),
                           CreationTimeText(status.creationTime));
    switch (chooser_.Exec(dialog)) {
        case OverwriteDialog::Yes:
            return OverwriteAnswer::Yes;
        case OverwriteDialog::All:
            return OverwriteAnswer::All;
        case OverwriteDialog::No:
            return OverwriteAnswer::No;
        default:
            return OverwriteAnswer::Cancel;
    }
}

void QtInteraction::SetStatus(StatusPane pane, std::string_view text) {
    if (!OnWindowThread()) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [this, pane, shown = FromCp932(text)] {
                if (sink_) sink_(pane, shown);
            },
            Qt::QueuedConnection);
        return;
    }
    if (sink_) sink_(pane, FromCp932(text));
}

void QtInteraction::SetWaitCursor(bool on) {
    if (!OnWindowThread()) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [this, on] { SetWaitCursor(on); }, Qt::QueuedConnection);
        return;
    }
    // On and off, not nested: a long run may turn it on again while it is on.
    if (on == waitCursor_) return;
    waitCursor_ = on;
    if (on) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

ProgressAnswer QtInteraction::Progress(int done, int total) {
    if (progressSink_) {
        if (OnWindowThread()) {
            progressSink_(done, total);
        } else {
            // Shown when the window gets to it; the run goes on meanwhile.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [show = progressSink_, done, total] { show(done, total); }, Qt::QueuedConnection);
        }
        return cancelAsked_ ? ProgressAnswer::Cancel : ProgressAnswer::Continue;
    }
    if (!OnWindowThread()) {
        // The newest figures wait here; one update at a time is on its way to the window.
        shownDone_ = done;
        shownTotal_ = total;
        if (!updatePosted_.exchange(true)) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [this] { ShowPostedProgress(); },
                Qt::QueuedConnection);
        }
        return cancelAsked_ ? ProgressAnswer::Cancel : ProgressAnswer::Continue;
    }
    ShowProgressDialog(done, total);
    return cancelAsked_ ? ProgressAnswer::Cancel : ProgressAnswer::Continue;
}

void QtInteraction::ShowProgressDialog(int done, int total) {
    if (!progress_) {
        progress_ = new QProgressDialog(QString::fromUtf8("処理しています..."), CancelCaption(), 0,
                                        0, window_);
        progress_->setWindowTitle(QStringLiteral("Mirulane"));
        // Not modal: a modal progress dialog would let events through in every update. The
        // window's commands wait anyway while a run owns the album, and its close box asks
        // the run to stop.
        progress_->setWindowModality(Qt::NonModal);
        progress_->setAutoReset(false);
        progress_->setAutoClose(false);
        QObject::connect(progress_, &QProgressDialog::canceled, progress_, [this] { AskCancel(); });
    }
    // Total 0: the amount is not known, the bar only shows that work goes on.
    progress_->setMaximum(total > 0 ? total : 0);
    progress_->setValue(total > 0 ? std::min(done, total) : 0);
    // The update let events in, perhaps a question that put the box aside.
    if (progress_ && progress_->wasCanceled()) AskCancel();
}

void QtInteraction::PutProgressAside() {
    // The box shows itself a few seconds after a run starts, over whatever is open then: a
    // question (the last one of a run among them) must never be covered. A later step of the
    // run brings a new box.
    if (!progress_) return;
    progress_->reset();  // stops the timer that would show it
    progress_->hide();
    progress_->deleteLater();
    progress_ = nullptr;
}

void QtInteraction::ShowPostedProgress() {
    updatePosted_ = false;
    ShowProgressDialog(shownDone_, shownTotal_);
}

QWidget* QtInteraction::Owner() const {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : window_.data();
}

void QtInteraction::EndRun() {
    delete progress_;
    cancelAsked_ = false;
    SetWaitCursor(false);
}

}  // namespace mirulane::ui
