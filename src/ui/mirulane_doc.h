#pragma once
// CMirulaneDoc: the document both panes look at. The album itself lives in the core; this
// relays "this entry was picked" (or "none", -1) from whoever picked it (the list pane, a
// preview-mode command, an entry dialog) to the views, and says when the list's status texts
// are to be rewritten.

#include <QObject>

namespace mirulane::ui {

class CMirulaneDoc : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Tells every view that `hint` (an entry index, or -1 for none) was picked by `sender`.
    // An update without a sender is ignored by the views.
    void UpdateAllViews(QObject* sender, int hint) { emit Updated(sender, hint); }

  signals:
    void Updated(QObject* sender, int hint);
};

}  // namespace mirulane::ui
