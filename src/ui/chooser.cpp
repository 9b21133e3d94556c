#include "ui/chooser.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QPushButton>

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

void QtChooser::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace mirulane::ui
