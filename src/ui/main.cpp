// mirulane: the desktop application. `mirulane [ALBUM.txt]` opens that album list file;
// `mirulane --help` and `--version` answer without a window.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <optional>

#include "ui/chooser.h"
#include "ui/main_frame.h"
#include "ui/start_options.h"
#include "ui/ui_session.h"

int main(int argc, char** argv) {
    // Help and version need no display, and a start without one says so in a line: all before
    // Qt, which would abort without a display.
    if (std::optional<int> status = mirulane::ui::AnswerWithoutWindow(argc, argv)) return *status;
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("mirulane"));
    // The window speaks Japanese, and so do Qt's own dialogs (file and font choosers) where
    // their translation is installed.
    QTranslator qtTranslations;
    if (qtTranslations.load(QStringLiteral("qtbase_ja"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTranslations);
    }

    mirulane::ui::QtChooser chooser;
    // Start-up: the profile and the settings, the preview file's path, the window with a new
    // album, then the album named on the command line.
    mirulane::ui::UiSession session(chooser);
    mirulane::ui::CMainFrame frame(session);
    QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) frame.OpenAlbumFile(args[1]);
    frame.show();
    return QApplication::exec();
}
