#pragma once
// CRightView: the preview pane. Shows the entry the list pane picked: an image page around its
// picture, or its detail page or the list page, written into the preview file; a blank page
// while no entry is picked. Pages are Shift-JIS, whatever charset they declare.

#include <QTextBrowser>
#include <functional>

#include "app/preview.h"

namespace mirulane::ui {

class UiSession;

class CRightView : public QTextBrowser {
    Q_OBJECT
  public:
    explicit CRightView(UiSession& session, QWidget* parent = nullptr);

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

    UiSession& session_;
    Preview preview_;
    std::function<void()> focusBack_;
};

}  // namespace mirulane::ui
