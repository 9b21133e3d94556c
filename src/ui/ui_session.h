#pragma once
// What the window holds for one run of the program: the core's session (settings, album,
// interaction), the profile it was read from, the preview file's path and the help context.
// The window reaches the core only through this class, in Qt types; it runs the album
// commands with the dialogs they need.

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_states.h"
#include "ui/chooser.h"
#include "ui/list_font.h"
#include "ui/qt_interaction.h"

namespace mirulane {
struct Session;
struct Settings;
class SettingsProfile;
}  // namespace mirulane

namespace mirulane::ui {

class AlbumRun;

class UiSession {
  public:
    // Start-up: reads the settings from the profile (profilePath, or the default place when
    // empty) and fixes the preview file's path.
    explicit UiSession(Chooser& chooser, const QString& profilePath = {});
    ~UiSession();
    UiSession(const UiSession&) = delete;
    UiSession& operator=(const UiSession&) = delete;

    Chooser& chooser() { return chooser_; }
    QtInteraction& interaction() { return ui_; }
    // The core's session: settings and album, for the panes and dialogs that show and edit them.
    Session& Core() { return *session_; }
    const Session& Core() const { return *session_; }

    // The album's state, with whether a run owns it.
    AlbumState State() const;

    // A long run: work on a thread of its own, over copies of what it reads (CopyForRun);
    // then finish on the window's thread, which puts the results in place. Returns at once.
    // Until the run has finished, it owns the album: CurrentRun() is the run, and the window
    // changes nothing of the album.
    // starting is called with the run before its thread starts.
    AlbumRun& StartRun(std::function<void()> work, std::function<void()> finish,
                       const std::function<void(AlbumRun&)>& starting = {});
    AlbumRun* CurrentRun() const { return run_; }
    // Called as each run starts, before its thread does (the window disables its commands and
    // waits for the run's Finished).
    void SetRunStarted(std::function<void(AlbumRun&)> hook) { runStarted_ = std::move(hook); }
    // The main window's title: the framework's "無題 - Mirulane" until an album file is opened
    // or saved under a name or a target folder is chosen, then the album's own.
    const QString& Title() const { return title_; }

    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    const QString& PreviewFilePath() const { return previewPath_; }

    // The tab the page creation options showed last in this run; they open on it again.
    int PageOptionsTab() const { return pageOptionsTab_; }
    void SetPageOptionsTab(int tab) { pageOptionsTab_ = tab; }

    // The folder the file choosers start in: the album file's, else the top page's.
    QString DialogFolder() const;

    // True once, on the first show of a profile whose ShowHelp is 1 (the flag is cleared).
    bool TakeShowHelp();

    // The album commands, each with its save prompt and dialogs.
    void NewAlbum();
    // True when a file was chosen (whether or not it could be read).
    bool Open();
    // Reads an album list file (a path of the file system); false after a failure, which the
    // reader has reported.
    bool OpenFile(const QString& path);
    // 開く with the file already chosen (a file dropped on the window): the save question,
    // then the file.
    void Open(const QString& path);
    // The album list files opened or saved last (paths of the file system, the latest first),
    // as ファイル lists them.
    QStringList RecentAlbums() const;
    // Opens the index-th of them as 開く does, the save question first. A file no longer there
    // is said so and leaves the list. True when the album was left for the file (whether or
    // not it could be read).
    bool OpenRecent(int index);
    void Save();
    void SaveAs();
    // Asks to save a modified album (before New, Open and a target folder).
    void SavePrompt();
    // The save question on closing, which offers キャンセル. False: the window stays open (the
    // user cancelled, or the album could not be saved and would be lost).
    bool SavePromptOnClose();
    // True when a folder was chosen and became the target folder; its scan then runs (a run of
    // its own, StartRun).
    bool ChooseTargetFolder();
    // The same with the folder already chosen (a folder dropped on the window).
    bool ChooseTargetFolder(const QString& folder);
    // The refresh's scan and the page generation: runs of their own.
    void Refresh();
    void CreateHtml();
    void SelectAll();
    // A header click: sorts by the column (the same column again reverses the direction).
    void SortByColumn(int column);
    void DeleteSelected();
    // The list pane's selection: exactly these rows are selected.
    void SetSelection(const QList<int>& rows);
    // The same with one flag per row (the list pane's whole selection).
    void SetSelectedRows(const std::vector<bool>& rows);
    // Sets EnvPreView; false when it already was that mode.
    bool SetPreviewMode(PreviewMode mode);

    // The list font from the fourteen stored fields; SetListFont stores a chosen font (false
    // when its face name cannot be stored, after saying so). The forms with a settings record
    // work on that record (the environment dialog's copy).
    QFont ListFont() const;
    bool SetListFont(const QFont& font);
    static QFont ListFont(const Settings& settings);
    bool SetListFont(Settings& settings, const QFont& font);

    // The tab the environment dialog showed last; it opens on it again during this run.
    int EnvironmentTab() const { return environmentTab_; }
    void SetEnvironmentTab(int tab) { environmentTab_ = tab; }

    // The end of the run, once: the settings go to the profile (a profile that cannot be
    // written is reported), the preview file is removed.
    void Shutdown();

    // The CP932 form of a path the user chose; nullopt (after saying so) when it has none.
    std::optional<std::string> AlbumPath(const QString& path);
    // Says that path cannot be used (AlbumPath's message).
    void RefusePath(const QString& path);

  private:
    // After a scan: what the extension filter left out, in the status bar's first pane.
    void TellLeftOut(const std::string& leftOut);
    // The save chooser, with the album's extension added to a name typed without one; nullopt
    // when cancelled.
    std::optional<std::string> AskSaveName(const std::string& proposed);
    void Refuse(const QString& text);
    void TitleFromAlbum();
    // The scan of a folder chosen as the target folder (a run of its own).
    bool ScanTargetFolder(const QString& folder);
    // A file opened or saved heads the recent albums, which reach the profile at once.
    void RememberAlbum(const std::string& path);
    void WriteRecentAlbums();
    void TellProfileNotSaved(int error);

    Chooser& chooser_;
    QtInteraction ui_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<SettingsProfile> profile_;
    AlbumRun* run_ = nullptr;
    std::function<void(AlbumRun&)> runStarted_;
    QString profilePath_;
    QString previewPath_;
    QString title_;
    int helpContext_ = 0;
    int pageOptionsTab_ = 0;
    int environmentTab_ = 0;
    bool shutDown_ = false;
    bool recentNotSavedTold_ = false;  // a profile that cannot be written is said so once
};

}  // namespace mirulane::ui
