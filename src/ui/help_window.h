#pragma once
// The help pages inside the program, for a desktop where no browser starts: a window that
// shows a page and follows its links in place, with 戻る, 進む and 目次.

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace mirulane::ui {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    // A window of its own over parent (it closes with it); without a parent it is deleted
    // when closed.
    explicit HelpWindow(QWidget* parent);

    // Shows page, a help page of the file system; 目次 then leads to index.html beside it.
    void ShowPage(const QUrl& page);

    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
    QUrl contents_;
};

// Shows page in the help window of owner's window (made the first time) and brings that
// window to the front; with no owner, in a window of its own.
HelpWindow* ShowHelpWindow(QWidget* owner, const QUrl& page);

}  // namespace mirulane::ui
