#pragma once
// Pages the user asked to see (a help topic, the finished album) go to the desktop's browser;
// when none starts, the user is told which page to open by hand.

#include <QUrl>

class QWidget;

namespace mirulane::ui {

class Chooser;

// Hands url to the browser through chooser; when no browser starts, a warning over parent
// names the page's path.
void OpenInBrowser(Chooser& chooser, QWidget* parent, const QUrl& url);

}  // namespace mirulane::ui
