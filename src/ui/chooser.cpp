#include "ui/chooser.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <memory>

namespace mirulane::ui {

QMessageBox::StandardButton QtChooser::Message(QWidget* parent, QMessageBox::Icon icon,
                                               const QString& caption, const QString& text,
                                               QMessageBox::StandardButtons buttons) {
    // A long list (the pictures a run could not use, say) would grow the box past the screen:
    // its first lines are shown, and the whole text behind the box's details button.
    constexpr int kShownLines = 20;
    const QStringList lines = text.split(QLatin1Char('\n'));
    const bool cut = lines.size() > kShownLines + 5;
    QMessageBox box(icon, caption,
                    cut ? lines.mid(0, kShownLines).join(QLatin1Char('\n')) +
                              QString::fromUtf8("\n…（ほか %1 行）").arg(lines.size() - kShownLines)
                        : text,
                    buttons, parent);
    if (cut) box.setDetailedText(text);
    // The buttons speak Japanese whatever translations are installed.
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "キャンセル"},
        {QMessageBox::Yes, "はい(&Y)"},
        {QMessageBox::No, "いいえ(&N)"},
    };
    for (const auto& [button, caption] : captions) {
        if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(caption));
    }
    box.exec();
    return box.standardButton(box.clickedButton());
}

int QtChooser::Exec(QDialog& dialog) { return dialog.exec(); }

std::optional<QString> QtChooser::OpenFile(QWidget* parent, const QString& caption,
                                           const QString& folder, const QStringList& filters) {
    QString path = QFileDialog::getOpenFileName(parent, caption, folder, filters.join(";;"));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtChooser::SaveFile(QWidget* parent, const QString& caption,
                                           const QString& proposedPath, const QStringList& filters,
                                           const QString& defaultSuffix) {
    QFileDialog dialog(parent, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

std::optional<QString> QtChooser::Folder(QWidget* parent, const QString& title,
                                         const QString& initial) {
    QString path =
        QFileDialog::getExistingDirectory(parent, title, initial, QFileDialog::ShowDirsOnly);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QFont> QtChooser::Font(QWidget* parent, const QFont& initial) {
    // Qt's own dialog, so that its effects box (strike-out, underline) can be taken away: the
    // list draws no text effects.
    QFontDialog dialog(initial, parent);
    dialog.setWindowTitle(QString::fromUtf8("フォント"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        if (!group->findChildren<QCheckBox*>().isEmpty()) {
            group->hide();
        } else {
            // The sample box shared its row with the effects box, which gave it its height.
            group->setMinimumHeight(group->fontMetrics().height() * 5);
        }
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    QFont font = dialog.selectedFont();
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void QtChooser::OpenUrl(const QUrl& url, std::function<void()> failed) {
    // Qt hands the page to the desktop's launcher (xdg-open) and calls that a success once the
    // launcher runs; whether it found a browser is told only by its exit. So the launcher is
    // started here, and its answer heard.
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty()) {
        if (!QDesktopServices::openUrl(url) && failed) failed();
        return;
    }
    // Without a parent: a browser the launcher waits for may outlive the window.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed, started](int code, QProcess::ExitStatus status) {
                         // A launcher that waited for its browser and ends with it much later
                         // did start one, whatever the browser's exit.
                         constexpr qint64 kStartMs = 30000;
                         const bool gaveUp = status != QProcess::NormalExit || code != 0;
                         if (gaveUp && started->elapsed() < kStartMs && failed) failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         if (failed) failed();
                         process->deleteLater();
                     });
    process->start(launcher, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
}

}  // namespace mirulane::ui
