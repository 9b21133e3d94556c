#pragma once
// Help: the topic page for each help context, and where the pages are.

#include <QString>
#include <QUrl>

class QWidget;

namespace mirulane::ui {

class Chooser;

// The help contexts the window and its dialogs set while they are open.
enum HelpContext : int {
    kHelpMainWindow = 0,       // the main window before any dialog
    kHelpMainWindowAgain = 1,  // the main window after a dialog closed
    kHelpFileInfo = 2,
    kHelpBatchEdit = 3,
    kHelpThumbnails = 4,
    kHelpExifReacquire = 5,
    kHelpEnvFolders = 6,  // environment settings, one context per tab
    kHelpEnvListPane = 7,
    kHelpEnvPreviewPane = 8,
    kHelpEnvExif = 9,
    kHelpEnvAdvanced = 10,
    kHelpPageTop = 11,  // page creation options, one context per tab
    kHelpPageList = 12,
    kHelpPageDetail = 13,
    kHelpTemplateStrings = 14,
};

// The page of a context: "040500.html" and so on; "index.html" for the main window and any
// context without a topic of its own.
QString HelpTopicFile(int context);

// The folder of the help pages: share/mirulane/help of the installation whose bin folder is
// programFolder, else the source tree's help/ (a program run from its build folder); empty
// when neither exists.
QString HelpFolder(const QString& programFolder);

// The page of a context in a help folder, else the folder's contents page; an empty URL
// when the folder holds neither. HelpUrl looks in HelpFolder.
QUrl HelpUrlIn(const QString& folder, int context);
QUrl HelpUrl(int context);

// The help command: shows a page in the browser, or in the program's own help window over
// parent when no browser starts; an empty URL (the pages are not installed) is said in a
// warning naming the folder they belong in.
void OpenHelpPage(Chooser& chooser, QWidget* parent, const QUrl& url);
void OpenHelp(Chooser& chooser, QWidget* parent, int context);

}  // namespace mirulane::ui
