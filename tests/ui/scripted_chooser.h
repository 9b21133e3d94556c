#pragma once
// A Chooser for widget tests: answers come from queues, everything asked is logged. An empty
// queue answers like a user who cancels (No where a box has no Cancel).

#include <deque>
#include <functional>
#include <vector>

#include "ui/chooser.h"

namespace mirulane::ui::testing {

class ScriptedChooser : public Chooser {
  public:
    struct Shown {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
    };
    struct SaveAsked {
        QString caption;
        QString proposedPath;
        QStringList filters;
        QString defaultSuffix;
    };
    // A dialog run through Exec: its title and the texts of its labels, line edits and
    // buttons, in widget order.
    struct DialogShown {
        QString title;
        QStringList texts;
    };

    std::deque<QMessageBox::StandardButton> answers;
    // Called while each message box is shown, before its answer is taken.
    std::function<void()> whileShown;
    std::deque<int> dialogResults;
    // Scripts that drive the next dialogs through their widgets (type, click, close) in place
    // of a user; each returns the dialog's result. They come before dialogResults.
    std::deque<std::function<int(QDialog&)>> dialogScripts;
    std::deque<std::optional<QString>> openFiles;
    std::deque<std::optional<QString>> saveFiles;
    std::deque<std::optional<QString>> folders;
    std::deque<std::optional<QFont>> fonts;

    std::vector<Shown> messages;
    std::vector<DialogShown> dialogs;
    std::vector<QStringList> openFilters;
    std::vector<SaveAsked> saves;
    QStringList folderTitles;
    std::vector<QFont> fontsOffered;
    std::vector<QUrl> openedUrls;
    bool browserFails = false;  // OpenUrl reports that no browser started

    QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    int Exec(QDialog& dialog) override;
    std::optional<QString> OpenFile(QWidget* parent, const QString& caption, const QString& folder,
                                    const QStringList& filters) override;
    std::optional<QString> SaveFile(QWidget* parent, const QString& caption,
                                    const QString& proposedPath, const QStringList& filters,
                                    const QString& defaultSuffix) override;
    std::optional<QString> Folder(QWidget* parent, const QString& title,
                                  const QString& initial) override;
    std::optional<QFont> Font(QWidget* parent, const QFont& initial) override;
    void OpenUrl(const QUrl& url, std::function<void()> failed) override;

    QStringList MessageTexts() const;
};

}  // namespace mirulane::ui::testing
