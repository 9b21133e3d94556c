#include "ui/ui_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <vector>

#include "album/settings.h"
#include "app/album_commands.h"
#include "app/files.h"
#include "app/generation_run.h"
#include "app/recent_albums.h"
#include "app/save_asking.h"
#include "app/session.h"
#include "app/settings_profile.h"
#include "app/text.h"
#include "app/user_path.h"
#include "ui/album_run.h"
#include "ui/browser.h"
#include "ui/chooser_texts.h"
#include "ui/qt_text.h"
#include "ui/worker_run.h"

namespace mirulane::ui {
namespace {

// The extension the album list file gets when a name is typed without one.
QString AlbumSuffix() { return QStringLiteral("txt"); }

// The path with "." and suffix added when its file name has no extension.
QString WithDefaultSuffix(const QString& path, const QString& suffix) {
    QString name = QFileInfo(path).fileName();
    // A leading dot makes a hidden name, not an extension.
    qsizetype start = 0;
    while (start < name.size() && name[start] == QLatin1Char('.')) ++start;
    if (name.isEmpty() || name.indexOf(QLatin1Char('.'), start) >= 0) return path;
    return path + QLatin1Char('.') + suffix;
}

// The framework's title of a document that has no name yet.
QString DefaultTitle() { return QString::fromUtf8("無題 - Mirulane"); }

// The preview file: a unique name in the temp folder, made by creating the file and removing it
// again, with ".html" in place of its ".tmp".
QString MakePreviewPath() {
    QTemporaryFile probe(QDir::tempPath() + QStringLiteral("/MrlXXXXXX.tmp"));
    if (!probe.open()) {
        return QDir::tempPath() +
               QStringLiteral("/Mrl%1.html").arg(QCoreApplication::applicationPid());
    }
    QString name = probe.fileName();
    probe.remove();
    name.chop(4);
    return name + QStringLiteral(".html");
}

QString SystemPath(const std::string& cp932) {
    auto path = ToSystemPath(cp932);
    return path ? QString::fromStdString(*path) : QString();
}

}  // namespace

UiSession::UiSession(Chooser& chooser, const QString& profilePath)
    : chooser_(chooser),
      ui_(chooser),
      session_(std::make_unique<Session>(ui_)),
      profile_(std::make_unique<SettingsProfile>(profilePath.toStdString())),
      profilePath_(QString::fromStdString(profile_->path())),
      title_(DefaultTitle()) {
    profile_->Load(session_->settings);
    previewPath_ = MakePreviewPath();
}

UiSession::~UiSession() {
    // A run still working is asked to stop and waited for; it puts nothing in place.
    delete run_;
    Shutdown();
}

AlbumState UiSession::State() const { return StateOf(*session_, run_ != nullptr); }

AlbumRun& UiSession::StartRun(std::function<void()> work, std::function<void()> finish,
                              const std::function<void(AlbumRun&)>& starting) {
    auto* run = new AlbumRun(ui_, std::move(work), std::move(finish));
    run_ = run;
    // First among the run's connections: whoever hears of its end sees the album free again.
    QObject::connect(run, &AlbumRun::Finished, run, [this] { run_ = nullptr; });
    if (runStarted_) runStarted_(*run);
    if (starting) starting(*run);
    run->Start();
    return *run;
}

bool UiSession::TakeShowHelp() {
    if (!session_->settings.ShowHelp) return false;
    session_->settings.ShowHelp = false;
    return true;
}

void UiSession::NewAlbum() {
    SavePrompt();
    mirulane::NewAlbum(*session_);
    title_ = DefaultTitle();
}

bool UiSession::Open() {
    SavePrompt();
    auto chosen =
        chooser_.OpenFile(ui_.Window(), QString::fromUtf8("開く"), DialogFolder(), AlbumFilters());
    if (!chosen) return false;
    OpenFile(*chosen);
    return true;
}

bool UiSession::OpenFile(const QString& path) {
    auto cp932 = AlbumPath(QFileInfo(path).absoluteFilePath());
    if (!cp932) return false;
    if (OpenAlbumFile(*session_, *cp932) < 0) return false;
    TitleFromAlbum();
    RememberAlbum(*cp932);
    return true;
}

void UiSession::Open(const QString& path) {
    SavePrompt();
    OpenFile(path);
}

QStringList UiSession::RecentAlbums() const {
    QStringList paths;
    for (const std::string& album : session_->settings.recentAlbums) paths << SystemPath(album);
    return paths;
}

bool UiSession::OpenRecent(int index) {
    const std::vector<std::string>& albums = session_->settings.recentAlbums;
    if (index < 0 || index >= static_cast<int>(albums.size())) return false;
    // Taken before the save question, which may put the album it saves at the head.
    std::string path = albums[static_cast<size_t>(index)];
    SavePrompt();
    RecentOpen opened = OpenRecentAlbum(*session_, path);
    if (opened == RecentOpen::Opened) TitleFromAlbum();
    if (opened != RecentOpen::NotOpened) WriteRecentAlbums();
    return opened != RecentOpen::Gone;
}

void UiSession::Save() {
    // Saving a new album is Save As: the album then has a name.
    std::string named = session_->album.fileName;
    SaveResult result =
        SaveOrAsk(*session_, [this](const std::string& p) { return AskSaveName(p); });
    if (result != SaveResult::Saved) return;
    if (session_->album.fileName != named) TitleFromAlbum();
    RememberAlbum(session_->album.fileName);
}

void UiSession::SaveAs() {
    auto ask = [this](const std::string& proposed) { return AskSaveName(proposed); };
    if (SaveAlbumAsking(*session_, ask) != SaveResult::Saved) return;
    TitleFromAlbum();
    RememberAlbum(session_->album.fileName);
}

void UiSession::SavePrompt() {
    // An album never saved is written under the name asked for and keeps no name itself.
    std::optional<std::string> asked;
    SaveResult result = SavePromptAsking(
        *session_, [this, &asked](const std::string& p) { return asked = AskSaveName(p); });
    if (result == SaveResult::Saved) RememberAlbum(asked.value_or(session_->album.fileName));
}

bool UiSession::SavePromptOnClose() {
    std::optional<std::string> asked;
    SaveResult result = SavePromptAsking(
        *session_, [this, &asked](const std::string& p) { return asked = AskSaveName(p); },
        SaveAsk::Closing);
    if (result == SaveResult::Saved) RememberAlbum(asked.value_or(session_->album.fileName));
    return result != SaveResult::Cancelled && result != SaveResult::Failed;
}

bool UiSession::ChooseTargetFolder() {
    SavePrompt();
    auto chosen = chooser_.Folder(ui_.Window(), FolderPrompt(),
                                  SystemPath(session_->album.style.TargetFolder));
    if (!chosen) return false;
    return ScanTargetFolder(*chosen);
}

bool UiSession::ChooseTargetFolder(const QString& folder) {
    SavePrompt();
    return ScanTargetFolder(folder);
}

bool UiSession::ScanTargetFolder(const QString& chosen) {
    auto folder = AlbumPath(chosen);
    if (!folder) return false;
    // The list view never sees a half-scanned list: the scan works on a copy, which the album
    // takes at the end as one reset of the list.
    std::shared_ptr<Session> run = CopyForRun(*session_);
    auto leftOut = std::make_shared<std::string>();
    StartRun([run, leftOut,
              where = *folder] { mirulane::ChooseTargetFolder(*run, where, leftOut.get()); },
             [this, run, leftOut] {
                 TakeRunAlbum(session_->album, std::move(run->album));
                 TitleFromAlbum();
                 TellLeftOut(*leftOut);
             });
    return true;
}

void UiSession::Refresh() {
    std::shared_ptr<Session> run = CopyForRun(*session_);
    auto scanned = std::make_shared<int>(-1);
    auto leftOut = std::make_shared<std::string>();
    StartRun([run, scanned, leftOut] { *scanned = RefreshAlbum(*run, leftOut.get()); },
             [this, run, scanned, leftOut] {
                 // A scan that left the list as it was (-1: declined, or the folder could not
                 // be listed) changes nothing.
                 if (*scanned >= 0) TakeRunAlbum(session_->album, std::move(run->album));
                 TellLeftOut(*leftOut);
             });
}

void UiSession::TellLeftOut(const std::string& leftOut) {
    // What the filter left out is no question to answer: the status bar says it, and no box
    // stops the user after every scan.
    if (!leftOut.empty()) session_->ui.SetStatus(StatusPane::Message, leftOut);
}

void UiSession::CreateHtml() {
    // The pages are written from a copy of the album.
    std::shared_ptr<Session> run = CopyForRun(*session_);
    auto open = std::make_shared<std::string>();
    StartRun([run, open] { CreateHtmlCommand(*run, *open); },
             [this, run, open] {
                 // A failed run marks the album modified.
                 if (run->album.modified) session_->album.modified = true;
                 if (open->empty()) return;
                 QString page = SystemPath(*open);
                 if (!page.isEmpty())
                     OpenInBrowser(chooser_, ui_.Window(), QUrl::fromLocalFile(page));
             });
}

void UiSession::SelectAll() { SelectAllEntries(*session_); }

void UiSession::SortByColumn(int column) { mirulane::SortByColumn(*session_, column); }

void UiSession::DeleteSelected() { DeleteSelectedEntries(*session_); }

void UiSession::SetSelection(const QList<int>& rows) {
    std::vector<bool> chosen(static_cast<size_t>(session_->album.entries.Count()));
    for (int row : rows) {
        if (row >= 0 && row < static_cast<int>(chosen.size()))
            chosen[static_cast<size_t>(row)] = true;
    }
    SetSelectedRows(chosen);
}

void UiSession::SetSelectedRows(const std::vector<bool>& rows) {
    session_->album.entries.SetSelection(rows);
    RefreshStatusTexts(*session_, StatusRefresh::RowCount);
}

bool UiSession::SetPreviewMode(PreviewMode mode) {
    return mirulane::SetPreviewMode(*session_, mode);
}

QFont UiSession::ListFont() const { return ListFont(session_->settings); }

bool UiSession::SetListFont(const QFont& font) { return SetListFont(session_->settings, font); }

QFont UiSession::ListFont(const Settings& settings) { return ToQFont(settings.listFont); }

bool UiSession::SetListFont(Settings& s, const QFont& font) {
    std::optional<FontRecord> chosen = FromQFont(font, s.listFont);
    if (!chosen) {
        Refuse(QString::fromUtf8("Shift-JIS で表せない名前のフォントは使用できません\n") +
               font.family());
        return false;
    }
    s.listFont = *chosen;
    return true;
}

void UiSession::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    // The settings of this run would be lost without a word.
    if (int error = profile_->Save(session_->settings)) TellProfileNotSaved(error);
    QFile::remove(previewPath_);
    // The movie posters made for the preview sit beside it, numbered.
    const QFileInfo preview(previewPath_);
    const QString posters = preview.fileName() + QStringLiteral(".poster*.jpg");
    for (const QFileInfo& poster : QDir(preview.path()).entryInfoList({posters}, QDir::Files)) {
        QFile::remove(poster.filePath());
    }
}

void UiSession::RememberAlbum(const std::string& path) {
    if (RememberRecentAlbum(session_->settings.recentAlbums, path)) WriteRecentAlbums();
}

void UiSession::WriteRecentAlbums() {
    int error = profile_->SaveRecentAlbums(session_->settings);
    // Said once a run: the list is written again at every open and save, and at the end.
    if (error == 0 || recentNotSavedTold_) return;
    recentNotSavedTold_ = true;
    TellProfileNotSaved(error);
}

void UiSession::TellProfileNotSaved(int error) {
    chooser_.Message(ui_.Window(), QMessageBox::Warning, QStringLiteral("Mirulane"),
                     QString::fromUtf8("動作環境の設定を保存できません (errno=%1)\n%2")
                         .arg(error)
                         .arg(QDir::toNativeSeparators(profilePath_)),
                     QMessageBox::Ok);
}

std::optional<std::string> UiSession::AskSaveName(const std::string& proposed) {
    QString name = FromCp932(proposed);
    QString folder = DialogFolder();
    QString path = folder.isEmpty() || name.isEmpty() ? name : folder + QLatin1Char('/') + name;
    for (;;) {
        auto chosen = chooser_.SaveFile(ui_.Window(), QString::fromUtf8("名前を付けて保存"), path,
                                        AlbumFilters(), AlbumSuffix());
        if (!chosen) return std::nullopt;
        // A name typed without an extension gets the album's, so that 開く lists the file.
        // Some file dialogs leave that to the program and then asked about the name typed,
        // not about this one: an existing file under it is asked about here.
        QString file = WithDefaultSuffix(*chosen, AlbumSuffix());
        QFileInfo info(file);
        if (file != *chosen && (info.exists() || info.isSymLink())) {
            QMessageBox::StandardButton answer = chooser_.Message(
                ui_.Window(), QMessageBox::Warning, QString::fromUtf8("名前を付けて保存の確認"),
                QString::fromUtf8("%1 は既に存在します。\n上書きしますか？")
                    .arg(QDir::toNativeSeparators(file)),
                QMessageBox::Yes | QMessageBox::No);
            if (answer != QMessageBox::Yes) {
                path = file;
                continue;
            }
        }
        return AlbumPath(file);
    }
}

std::optional<std::string> UiSession::AlbumPath(const QString& path) {
    UserPath checked = UserPathToCp932(path.toStdString());
    if (checked.refusal == PathRefusal::None) return std::move(checked.cp932);
    RefusePath(path);
    return std::nullopt;
}

void UiSession::RefusePath(const QString& path) {
    Refuse(QString::fromUtf8("Shift-JIS で表せない文字か「\\」を含むパスは使用できません\n") +
           path);
}

void UiSession::Refuse(const QString& text) {
    // Shown here rather than by the core: the text holds what Shift-JIS cannot.
    chooser_.Message(ui_.Window(), QMessageBox::Warning, QStringLiteral("Mirulane"), text,
                     QMessageBox::Ok);
}

QString UiSession::DialogFolder() const {
    const Album& album = session_->album;
    if (album.fileName != Album::NewFileName()) {
        return QFileInfo(SystemPath(album.fileName)).absolutePath();
    }
    return SystemPath(album.style.TopFolder);
}

void UiSession::TitleFromAlbum() {
    QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    title_ = FromCp932(WindowTitle(*session_, ToCp932(program).value_or("mirulane")));
}

}  // namespace mirulane::ui
