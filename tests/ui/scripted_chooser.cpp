#include "scripted_chooser.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

namespace mirulane::ui::testing {
namespace {

template <typename T>
T Next(std::deque<T>& queue, T otherwise) {
    if (!queue.empty()) {
        otherwise = std::move(queue.front());
        queue.pop_front();
    }
    return otherwise;
}

}  // namespace

QMessageBox::StandardButton ScriptedChooser::Message(QWidget*, QMessageBox::Icon icon,
                                                     const QString& caption, const QString& text,
                                                     QMessageBox::StandardButtons buttons) {
    messages.push_back({icon, caption, text, buttons});
    if (whileShown) whileShown();
    QMessageBox::StandardButton otherwise = buttons.testFlag(QMessageBox::Cancel)
                                                ? QMessageBox::Cancel
                                            : buttons.testFlag(QMessageBox::No) ? QMessageBox::No
                                                                                : QMessageBox::Ok;
    return Next(answers, otherwise);
}

int ScriptedChooser::Exec(QDialog& dialog) {
    DialogShown shown{dialog.windowTitle(), {}};
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
            shown.texts << label->text();
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            shown.texts << edit->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            shown.texts << button->text();
        }
    }
    dialogs.push_back(shown);
    if (!dialogScripts.empty()) {
        auto script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        return script(dialog);
    }
    return Next(dialogResults, static_cast<int>(QDialog::Rejected));
}

std::optional<QString> ScriptedChooser::OpenFile(QWidget*, const QString&, const QString&,
                                                 const QStringList& filters) {
    openFilters.push_back(filters);
    return Next(openFiles, std::optional<QString>());
}

std::optional<QString> ScriptedChooser::SaveFile(QWidget*, const QString& caption,
                                                 const QString& proposedPath,
                                                 const QStringList& filters,
                                                 const QString& defaultSuffix) {
    saves.push_back({caption, proposedPath, filters, defaultSuffix});
    return Next(saveFiles, std::optional<QString>());
}

std::optional<QString> ScriptedChooser::Folder(QWidget*, const QString& title, const QString&) {
    folderTitles.push_back(title);
    return Next(folders, std::optional<QString>());
}

std::optional<QFont> ScriptedChooser::Font(QWidget*, const QFont& initial) {
    fontsOffered.push_back(initial);
    return Next(fonts, std::optional<QFont>());
}

void ScriptedChooser::OpenUrl(const QUrl& url, std::function<void()> failed) {
    openedUrls.push_back(url);
    if (browserFails && failed) failed();
}

QStringList ScriptedChooser::MessageTexts() const {
    QStringList out;
    for (const Shown& m : messages) out << m.text;
    return out;
}

}  // namespace mirulane::ui::testing
