#pragma once
// CRightView: the preview pane. Shows the entry the list pane picked: an image page around its
// picture, or its detail page or the list page, written into the preview file; a blank page
// while no entry is picked. Pages are Shift-JIS, whatever charset they declare.

#include <QStringList>
#include <QTextBrowser>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>

#include "app/preview.h"

namespace mirulane::ui {

class UiSession;

class CRightView : public QTextBrowser {
    Q_OBJECT
  public:
    explicit CRightView(UiSession& session, QWidget* parent = nullptr);
    // Stops a poster being made and removes the posters made.
    ~CRightView() override;

    // The entry shown (the album's current entry), -1 for none.
    int CurrentEntry() const;

    // Called after every update that showed something: gives the keyboard focus back to the
    // list pane.
    void SetFocusBack(std::function<void()> focusBack) { focusBack_ = std::move(focusBack); }

  public slots:
    // `hint` (an entry index, or -1 for none) was picked by `sender`; without a sender
    // nothing happens.
    void Update(QObject* sender, int hint);

  protected:
    QVariant loadResource(int type, const QUrl& name) override;
    bool event(QEvent* e) override;

  private:
    void Show(const std::string& path);
    void ShowNotice();
    // Has a movie's poster made on the pool; the pane shows it if the movie is still shown.
    void MakePoster(const std::string& movie, const std::string& file);
    enum class PosterEnd { Made, NoPoster, Skipped };
    void PosterReady(const std::string& movie, const std::string& file, PosterEnd end);
    PaneGeometry Pane() const;

    UiSession& session_;
    Preview preview_;
    std::function<void()> focusBack_;
    std::set<std::string> postersAsked_;  // movies whose poster is being made
    QStringList posterFiles_;
    std::atomic<bool> stop_{false};
    // The movie whose card waits for its poster: a poster asked for while another entry was
    // shown is skipped once the pane has moved on.
    std::mutex waitingLock_;
    std::string waiting_;
    QThreadPool pool_;  // last: waited for before the rest goes
};

}  // namespace mirulane::ui
