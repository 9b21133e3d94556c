#pragma once
// Every modal question the window asks (message boxes, file and folder choosers, the font
// dialog, the window's own dialogs) and every hand-over to the desktop (opening a page in the
// browser) goes through one injected object: the application shows real dialogs, the widget
// tests answer in code.

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace mirulane::ui {

class Chooser {
  public:
    virtual ~Chooser() = default;

    // A message box; the button that was pressed (NoButton when it was closed otherwise).
    virtual QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& caption, const QString& text,
                                                QMessageBox::StandardButtons buttons) = 0;

    // Runs a modal dialog the window built; the dialog's result code.
    virtual int Exec(QDialog& dialog) = 0;

    // File choosers; nullopt on cancel. Filters in Qt's form ("name (*.txt)"). The save
    // chooser proposes a path, adds defaultSuffix to a name typed without one and confirms
    // before an existing file is replaced.
    virtual std::optional<QString> OpenFile(QWidget* parent, const QString& caption,
                                            const QString& folder, const QStringList& filters) = 0;
    virtual std::optional<QString> SaveFile(QWidget* parent, const QString& caption,
                                            const QString& proposedPath, const QStringList& filters,
                                            const QString& defaultSuffix) = 0;

    // The folder browser, with initial preselected; nullopt on cancel.
    virtual std::optional<QString> Folder(QWidget* parent, const QString& title,
                                          const QString& initial) = 0;

    // The font dialog opened on initial; nullopt on cancel.
    virtual std::optional<QFont> Font(QWidget* parent, const QFont& initial) = 0;

    // Hands a page (help topic, finished album) to the desktop's browser. failed, when given,
    // runs if no browser could be started for it: at once, or later when the desktop's
    // launcher gives up.
    virtual void OpenUrl(const QUrl& url, std::function<void()> failed) = 0;
};

// The real dialogs.
class QtChooser : public Chooser {
  public:
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
};

}  // namespace mirulane::ui
