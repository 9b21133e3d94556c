#include "ui/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "album/entry_list.h"
#include "app/command_states.h"
#include "app/session.h"
#include "ui/about_dialog.h"
#include "ui/album_run.h"
#include "ui/batch_edit_dialog.h"
#include "ui/entry_list_model.h"
#include "ui/environment_dialog.h"
#include "ui/exif_reacquire_dialog.h"
#include "ui/file_info_dialog.h"
#include "ui/help.h"
#include "ui/left_view.h"
#include "ui/mirulane_doc.h"
#include "ui/page_options_dialog.h"
#include "ui/qt_text.h"
#include "ui/recent_menu.h"
#include "ui/right_view.h"
#include "ui/thumbnail_dialog.h"
#include "ui/thumbnail_grid.h"
#include "ui/ui_session.h"
#include "ui/window_place.h"

// Resources of a static library are registered by name, outside any namespace.
static void InitIconResources() { Q_INIT_RESOURCE(mirulane); }

namespace mirulane::ui {
namespace {

// The preview modes' radio items.
constexpr std::pair<CMainFrame::Command, PreviewMode> kPreviewModeCommands[] = {
    {CMainFrame::kShowImage, PreviewMode::Picture},
    {CMainFrame::kDetailPreview, PreviewMode::DetailPage},
    {CMainFrame::kListPreview, PreviewMode::ListPage},
};

struct CommandText {
    const char* name;      // the action's object name
    const char* caption;   // menu caption with its access key
    const char* shortcut;  // nullptr: none
    const char* prompt;    // status-bar prompt while highlighted
    const char* tip;       // tooltip
    const char* icon;      // toolbar icon, nullptr: not on the toolbar
};

// In the order of CMainFrame::Command.
constexpr CommandText kCommands[] = {
    {"new", "新規作成(&N)", "Ctrl+N", "新規にファイルを作成", "新規ファイル", "new-album"},
    {"open", "開く(&O)...", "Ctrl+O", "既存のファイルを開く", "開く", "open-album"},
    {"save", "上書き保存(&S)", "Ctrl+S", "作業中のファイルを上書きして保存", "保存", "save-album"},
    {"saveAs", "名前を付けて保存(&A)...", nullptr, "作業中のファイルを新しい名前で保存",
     "名前をつけて保存", nullptr},
    {"targetFolder", "ターゲットフォルダの選択(&F)...", nullptr,
     "ターゲットがあるフォルダを選択する", "ターゲットフォルダ選択", "target-folder"},
    {"createHtml", "HTMLファイルの作成(&H)", nullptr, "HTMLファイルを作成します",
     "HTMLファイル作成", "create-html"},
    {"exit", "アプリケーションの終了(&X)", nullptr,
     "アプリケーションを終了し、ファイルの保存を指示", "終了", nullptr},
    {"editFileInfo", "ファイル情報の編集(&E)...", nullptr, "ファイルの詳細情報を設定する",
     "ファイル情報の編集", "edit-file-info"},
    {"batchEdit", "ファイル情報の一括編集(&B)...", nullptr, "ファイル情報を一括して編集",
     "ファイル情報の一括編集", nullptr},
    {"selectAll", "すべて選択(&L)", "Ctrl+A", "すべてを選択", "すべて選択", nullptr},
    // The Delete key belongs to the list pane (it works even with nothing selected); the menu
    // only names it (see CreateActions).
    {"delete", "削除(&D)", "Del", "選択したエントリを削除", "エントリの削除", nullptr},
    {"toolBar", "ツールバー(&T)", nullptr, "ツールバーの表示/非表示", "ツールバーの表示切り替え",
     nullptr},
    {"statusBar", "ステータスバー(&S)", nullptr, "ステータスバーの表示/非表示",
     "ステータスバーの表示切り替え", nullptr},
    {"thumbnailView", "サムネイル表示(&M)", nullptr, "リストをサムネイルの一覧で表示",
     "サムネイル表示", nullptr},
    {"showImage", "画像の表示(&I)", nullptr, "プレビューウィンドウに画像を表示", "画像の表示",
     "show-image"},
    {"detailPreview", "個別ページのプレビュー(&D)", nullptr, "個別ページのプレビュー",
     "個別ページのプレビュー", "preview-detail-page"},
    {"listPreview", "リストページのプレビュー(&L)", nullptr, "リストページのプレビュー",
     "リストページのプレビュー", "preview-list-page"},
    {"font", "フォントの変更(&F)...", nullptr, "表示するフォントを変更する", "フォントの変更",
     nullptr},
    {"refresh", "最新の情報に更新(&R)", nullptr, "リストを最新の状態に更新する", "最新状態に更新",
     "refresh"},
    {"reacquireExif", "Exif情報の再取得(&R)...", nullptr, "Exif情報の再取得を行う",
     "Exif情報の再取得", nullptr},
    {"extractThumbnails", "サムネイルの抽出(&T)...", nullptr, "ターゲット画像からサムネイルを抽出",
     "サムネイルの抽出", "extract-thumbnails"},
    {"pageOptions", "ページ作成オプション(&O)...", nullptr, "ページ作成オプション設定を行う",
     "ページ作成オプション", "page-options"},
    {"environment", "動作環境の設定(&E)...", nullptr, "全体的な動作環境の設定を行う",
     "動作環境の設定", "environment-settings"},
    {"help", "ヘルプ(&H)", "F1", "ヘルプを開きます", "ヘルプ", "help"},
    {"about", "バージョン情報(&A)", nullptr, "プログラムの情報、バージョンそして著作権を表示",
     "バージョン情報", nullptr},
};
static_assert(std::size(kCommands) == CMainFrame::kCommandCount);

constexpr int kSeparator = -1;
constexpr int kRecentAlbums = -2;  // where the recent albums are listed

struct MenuText {
    const char* caption;
    std::initializer_list<int> items;
};

const MenuText kMenus[] = {
    {"ファイル(&F)",
     {CMainFrame::kNew, CMainFrame::kOpen, CMainFrame::kSave, CMainFrame::kSaveAs, kSeparator,
      CMainFrame::kTargetFolder, CMainFrame::kCreateHtml, kSeparator, kRecentAlbums,
      CMainFrame::kExit}},
    {"編集(&E)",
     {CMainFrame::kEditFileInfo, CMainFrame::kBatchEdit, kSeparator, CMainFrame::kSelectAll,
      kSeparator, CMainFrame::kDelete}},
    {"表示(&V)",
     {CMainFrame::kToolBar, CMainFrame::kStatusBar, kSeparator, CMainFrame::kThumbnailView,
      kSeparator, CMainFrame::kShowImage, CMainFrame::kDetailPreview, CMainFrame::kListPreview,
      kSeparator, CMainFrame::kFont, kSeparator, CMainFrame::kRefresh}},
    {"ツール(&T)",
     {CMainFrame::kReacquireExif, CMainFrame::kExtractThumbnails, kSeparator,
      CMainFrame::kPageOptions, CMainFrame::kEnvironment}},
    {"ヘルプ(&H)", {CMainFrame::kHelp, kSeparator, CMainFrame::kAbout}},
};

const int kToolBarItems[] = {
    CMainFrame::kTargetFolder,
    CMainFrame::kPageOptions,
    CMainFrame::kCreateHtml,
    kSeparator,
    CMainFrame::kEditFileInfo,
    kSeparator,
    CMainFrame::kShowImage,
    CMainFrame::kDetailPreview,
    CMainFrame::kListPreview,
    kSeparator,
    CMainFrame::kExtractThumbnails,
    CMainFrame::kRefresh,
    CMainFrame::kEnvironment,
    kSeparator,
    CMainFrame::kNew,
    CMainFrame::kOpen,
    CMainFrame::kSave,
    kSeparator,
    CMainFrame::kHelp,
};

QString IdleText() { return Utf8("レディ"); }

// The one local file or folder being dragged; empty for anything else (several items, a web
// address, text).
QString DraggedPath(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile()) return {};
    QFileInfo info(urls[0].toLocalFile());
    if (!info.exists()) return {};
    return info.absoluteFilePath();
}

// A pane's label, at least as wide as the text it is sized by.
QLabel* StatusPaneLabel(const char* name, const QString& sizedBy) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(sizedBy) +
                           2 * label->frameWidth() + 8);
    return label;
}

}  // namespace

CMainFrame::CMainFrame(UiSession& session) : session_(session), doc_(new CMirulaneDoc(this)) {
    InitIconResources();
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/mirulane.svg")));
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreatePanes();
    setAcceptDrops(true);

    QtInteraction& ui = session_.interaction();
    ui.SetWindow(this);
    ui.SetStatusSink([this](StatusPane pane, const QString& text) { SetStatusText(pane, text); });
    // While a run owns the album, its commands wait; they come back when it has finished.
    session_.SetRunStarted([this](AlbumRun& run) {
        UpdateCommandStates();
        connect(&run, &AlbumRun::Finished, this, &CMainFrame::AfterCommand);
    });
    Run([this] { session_.NewAlbum(); });
}

CMainFrame::~CMainFrame() {
    session_.SetRunStarted(nullptr);
    QtInteraction& ui = session_.interaction();
    ui.SetStatusSink(nullptr);
    ui.SetWindow(nullptr);
}

std::pair<int, int> CMainFrame::InitialPaneWidths(int frameWidth) {
    constexpr int kPreviewWidth = 320;
    if (frameWidth > kPreviewWidth) return {frameWidth - kPreviewWidth, kPreviewWidth};
    return {frameWidth / 2, frameWidth / 2};
}

void CMainFrame::CreateActions() {
    for (int c = 0; c < kCommandCount; ++c) {
        const CommandText& t = kCommands[c];
        auto* action = new QAction(Utf8(t.caption), this);
        action->setObjectName(Utf8(t.name));
        if (t.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(t.shortcut)));
        action->setStatusTip(Utf8(t.prompt));
        action->setToolTip(Utf8(t.tip));
        if (t.icon) {
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(t.icon))));
        }
        actions_[c] = action;
    }
    // The menu shows the list pane's Delete key beside the item, but the key itself is the
    // pane's: it acts only inside the open menu.
    actions_[kDelete]->setShortcutContext(Qt::WidgetShortcut);
    auto on = [this](Command c, auto handler) {
        connect(actions_[c], &QAction::triggered, this, handler);
    };
    // The preview shows no entry of an album that was left.
    on(kNew, [this] {
        Run([this] {
            session_.NewAlbum();
            BlankPreview();
        });
    });
    on(kOpen, [this] {
        Run([this] {
            if (session_.Open()) BlankPreview();
        });
    });
    on(kSave, [this] { Run([this] { session_.Save(); }); });
    on(kSaveAs, [this] { Run([this] { session_.SaveAs(); }); });
    on(kTargetFolder, [this] {
        Run([this] {
            if (session_.ChooseTargetFolder()) BlankPreview();
        });
    });
    on(kCreateHtml, [this] { Run([this] { session_.CreateHtml(); }); });
    on(kExit, [this] { close(); });
    on(kSelectAll, [this] { Run([this] { session_.SelectAll(); }); });
    on(kDelete, [this] { Run([this] { session_.DeleteSelected(); }); });
    on(kRefresh, [this] { Run([this] { session_.Refresh(); }); });
    on(kFont, [this] { Run([this] { ChangeFont(); }); });
    on(kHelp, [this] { OpenHelp(session_.HelpContext()); });
    on(kAbout, [this] { Run([this] { ShowAbout(); }); });
    on(kEditFileInfo, [this] { EditFileInfo(); });
    on(kBatchEdit, [this] { Run([this] { BatchEdit(session_, this); }); });
    on(kReacquireExif, [this] { Run([this] { ExecExifReacquireDialog(session_, this); }); });
    on(kExtractThumbnails, [this] {
        Run([this] {
            // The thumbnail view shows the thumbnails written once the run is over.
            picturesChanged_ = true;
            ExecThumbnailDialog(session_, this);
        });
    });
    on(kPageOptions, [this] {
        Run([this] {
            PageOptionsDialog dialog(session_, this);
            session_.chooser().Exec(dialog);
            // Cancelled too: the replacement strings and the thumbnail folder may have changed.
            doc_->UpdateAllViews(this, session_.Core().album.currentEntry);
        });
    });
    on(kEnvironment, [this] {
        Run([this] {
            EnvironmentChanges changed = ExecEnvironmentDialog(session_, this);
            if (changed.list) listPane_->ApplySettings();
            if (changed.preview)
                doc_->UpdateAllViews(listPane_, session_.Core().album.currentEntry);
        });
    });

    for (Command c : {kToolBar, kStatusBar}) {
        actions_[c]->setCheckable(true);
        actions_[c]->setChecked(true);
    }
    connect(actions_[kToolBar], &QAction::toggled, this,
            [this](bool on) { toolBar_->setVisible(on); });
    connect(actions_[kStatusBar], &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });

    // Off: the report view, as at the first start.
    actions_[kThumbnailView]->setCheckable(true);
    connect(actions_[kThumbnailView], &QAction::toggled, this, &CMainFrame::ShowThumbnails);

    previewModes_ = new QActionGroup(this);
    // A stored mode outside the three checks none.
    previewModes_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (auto [command, mode] : kPreviewModeCommands) {
        QAction* action = actions_[command];
        action->setCheckable(true);
        previewModes_->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, mode = mode] { Run([this, mode] { SetPreviewMode(mode); }); });
    }

    // F6 and Shift+F6 move between the two panes (with two panes both lead to the other one).
    auto* otherPane = new QAction(this);
    otherPane->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)});
    connect(otherPane, &QAction::triggered, this, &CMainFrame::FocusOtherPane);
    addAction(otherPane);
}

void CMainFrame::CreateMenus() {
    for (const MenuText& m : kMenus) {
        QMenu* menu = menuBar()->addMenu(Utf8(m.caption));
        for (int item : m.items) {
            if (item == kRecentAlbums) {
                recent_ = new RecentMenu(menu, actions_[kExit], [this](int index) {
                    Run([this, index] {
                        if (session_.OpenRecent(index)) BlankPreview();
                    });
                });
            } else if (item == kSeparator) {
                menu->addSeparator();
            } else {
                menu->addAction(actions_[item]);
            }
        }
    }
}

void CMainFrame::CreateToolBar() {
    toolBar_ = new QToolBar(Utf8("ツールバー"), this);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(16, 16));
    for (int item : kToolBarItems) {
        if (item == kSeparator) {
            toolBar_->addSeparator();
        } else {
            toolBar_->addAction(actions_[item]);
        }
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    // The button that shows the buttons a narrow window has no room for.
    if (auto* more = toolBar_->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setAccessibleName(Utf8("その他のボタン"));
    }
}

void CMainFrame::CreateStatusBar() {
    status_[0] = StatusPaneLabel("statusMessage", QString());
    status_[0]->setMinimumWidth(0);
    status_[1] = StatusPaneLabel("statusTarget",
                                 Utf8("（選択されていません）") + QString(22, QChar(0x3000)));
    status_[2] = StatusPaneLabel("statusRows", Utf8("選択 12345 行"));
    statusBar()->addWidget(status_[0], 1);
    // Beside the target folder's pane while no folder is chosen: a folder that is not there.
    noTargetIcon_ = new QLabel;
    noTargetIcon_->setObjectName(QStringLiteral("statusNoTarget"));
    noTargetIcon_->setPixmap(
        QIcon(QStringLiteral(":/icons/target-folder.svg")).pixmap(QSize(16, 16), QIcon::Disabled));
    noTargetIcon_->setAccessibleName(Utf8("ターゲットフォルダなし"));
    statusBar()->addPermanentWidget(noTargetIcon_);
    statusBar()->addPermanentWidget(status_[1]);
    statusBar()->addPermanentWidget(status_[2]);
    ShowStatusMessage();
}

void CMainFrame::CreatePanes() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->setChildrenCollapsible(false);
    listPane_ = new CLeftView(session_, *doc_);
    thumbnailPane_ = new ThumbnailGrid(session_, *listPane_);
    // The list pane is one of its two views at a time.
    listViews_ = new QStackedWidget;
    listViews_->setObjectName(QStringLiteral("listViews"));
    listViews_->setAccessibleName(Utf8("リスト"));
    listViews_->addWidget(listPane_);
    listViews_->addWidget(thumbnailPane_);
    auto* rightView = new CRightView(session_);
    rightView->SetFocusBack([this] { ShownListView()->setFocus(Qt::OtherFocusReason); });
    connect(doc_, &CMirulaneDoc::Updated, rightView, &CRightView::Update);
    previewPane_ = rightView;
    splitter_->addWidget(listViews_);
    splitter_->addWidget(previewPane_);
    // The splitter keeps its children in another order; assistive technology reads them in
    // this one: the list, then the preview.
    listViews_->raise();
    previewPane_->raise();
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    setCentralWidget(splitter_);
    listPane_->installEventFilter(this);
    thumbnailPane_->installEventFilter(this);
    // The edit menu's commands, at the pointer.
    auto* contextMenu = new QMenu(this);
    contextMenu->setObjectName(QStringLiteral("listContextMenu"));
    contextMenu->addActions({actions_[kEditFileInfo], actions_[kBatchEdit]});
    contextMenu->addSeparator();
    contextMenu->addAction(actions_[kSelectAll]);
    contextMenu->addSeparator();
    contextMenu->addAction(actions_[kDelete]);
    listPane_->SetContextMenu(contextMenu);
    connect(listPane_, &CLeftView::SortRequested, this,
            [this](int column) { Run([this, column] { session_.SortByColumn(column); }); });
    auto edit = [this] {
        if (actions_[kEditFileInfo]->isEnabled()) actions_[kEditFileInfo]->trigger();
    };
    connect(listPane_, &CLeftView::EditRequested, this, edit);
    connect(thumbnailPane_, &ThumbnailGrid::EditRequested, this, edit);
    actions_[kThumbnailView]->setChecked(session_.Core().settings.EnvThumbView);
    connect(&listPane_->Model(), &EntryListModel::SelectionChangedInCore, this,
            &CMainFrame::UpdateCommandStates);

    QSize size(1024, 700);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    resize(size);
    auto [list, preview] = InitialPaneWidths(width());
    splitter_->setSizes({list, preview});
    ApplyPlacement(session_.Core().settings.window, *this, *splitter_,
                   *listPane_->horizontalHeader());
}

QList<QAction*> CMainFrame::RecentAlbumItems() const { return recent_->Items(); }

void CMainFrame::OpenAlbumFile(const QString& path) {
    Run([this, &path] { session_.OpenFile(path); });
}

void CMainFrame::EditFileInfo() {
    Run([this] { EditFileInformation(session_, *doc_, this); });
}

void CMainFrame::UpdateCommandStates() {
    AlbumState s = session_.State();
    CommandStates on = CommandStatesOf(s);
    auto enable = [this](Command c, bool allowed) { actions_[c]->setEnabled(allowed); };
    for (Command c :
         {kNew, kOpen, kSave, kSaveAs, kTargetFolder, kExit, kToolBar, kStatusBar, kThumbnailView,
          kShowImage, kDetailPreview, kListPreview, kFont, kEnvironment, kHelp, kAbout}) {
        enable(c, on.any);
    }
    enable(kCreateHtml, on.createHtml);
    enable(kSelectAll, on.selectAll);
    enable(kReacquireExif, on.reacquireExif);
    enable(kExtractThumbnails, on.extractThumbnails);
    enable(kPageOptions, on.pageOptions);
    enable(kEditFileInfo, on.editFileInfo);
    enable(kDelete, on.deleteEntries);
    enable(kBatchEdit, on.batchEdit);
    enable(kRefresh, on.refresh);
    recent_->SetEnabled(on.any);
    noTargetIcon_->setVisible(!s.hasTargetFolder);
    for (auto [command, mode] : kPreviewModeCommands) {
        actions_[command]->setChecked(s.previewMode == mode);
    }
}

void CMainFrame::Run(const std::function<void()>& command) {
    // The actions are off while a run owns the album; the list pane's Delete key and header
    // clicks come here too.
    if (session_.CurrentRun()) return;
    command();
    if (!session_.CurrentRun()) AfterCommand();
}

void CMainFrame::AfterCommand() {
    session_.interaction().EndRun();
    listPane_->SyncFromCore();
    thumbnailPane_->FollowAlbum();
    if (picturesChanged_ && !session_.CurrentRun()) {
        picturesChanged_ = false;
        thumbnailPane_->ReadPicturesAgain();
    }
    recent_->Show(session_.RecentAlbums());
    UpdateCommandStates();
    setWindowTitle(session_.Title());
}

bool CMainFrame::event(QEvent* e) {
    // The prompt of a highlighted menu item or toolbar button goes into the first pane; when
    // nothing is highlighted the pane shows its message again.
    if (e->type() == QEvent::StatusTip) {
        prompt_ = static_cast<QStatusTipEvent*>(e)->tip();
        ShowStatusMessage();
        return true;
    }
    return QMainWindow::event(e);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* e) {
    // The list pane's Delete key deletes the selected entries; with none selected it still
    // counts as an edit. The key then goes on to the pane.
    // Shift+Del, Ctrl+Del and the like are other keys: they delete nothing.
    if ((watched == listPane_ || watched == thumbnailPane_) && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete &&
        (static_cast<QKeyEvent*>(e)->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Run([this] { session_.DeleteSelected(); });
    }
    return QMainWindow::eventFilter(watched, e);
}

void CMainFrame::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (shown_) return;
    shown_ = true;
    // The help shown unasked on a first start stays quiet when no browser starts: the user
    // has asked for nothing yet.
    if (session_.TakeShowHelp()) {
        QUrl url = HelpUrl(kHelpMainWindow);
        if (!url.isEmpty()) session_.chooser().OpenUrl(url, nullptr);
    }
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    // A run in progress is asked to stop after the entry in hand; the window closes once it
    // has, with its save prompt.
    if (AlbumRun* run = session_.CurrentRun()) {
        run->Cancel();
        connect(run, &AlbumRun::Finished, this, &QWidget::close,
                static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::UniqueConnection));
        e->ignore();
        return;
    }
    if (!closed_) {
        // キャンセル (or a save that failed) keeps the window and the album as they are.
        bool close = true;
        Run([this, &close] { close = session_.SavePromptOnClose(); });
        if (!close) {
            e->ignore();
            return;
        }
        session_.Core().settings.window =
            PlacementOf(*this, *splitter_, *listPane_->horizontalHeader());
        session_.Shutdown();
        closed_ = true;
    }
    e->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e) {
    // Nothing is taken while a run owns the album.
    if (!session_.CurrentRun() && !DraggedPath(e->mimeData()).isEmpty()) {
        e->acceptProposedAction();
    }
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* e) {
    if (!session_.CurrentRun() && !DraggedPath(e->mimeData()).isEmpty()) {
        e->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* e) {
    QString path = DraggedPath(e->mimeData());
    if (path.isEmpty()) return;
    e->acceptProposedAction();
    // The save question is asked once the drop is over: the program the item came from waits
    // for the drop's end, and would hang while the question is open.
    QTimer::singleShot(0, this, [this, path] { OpenDropped(path); });
}

void CMainFrame::OpenDropped(const QString& path) {
    // A folder becomes the target folder as ターゲットフォルダの選択 makes it; a file is
    // opened as 開く opens it.
    if (QFileInfo(path).isDir()) {
        Run([this, &path] {
            if (session_.ChooseTargetFolder(path)) BlankPreview();
        });
    } else {
        Run([this, &path] {
            session_.Open(path);
            BlankPreview();
        });
    }
}

void CMainFrame::SetStatusText(StatusPane pane, const QString& text) {
    if (pane == StatusPane::Message) {
        message_ = text;
        ShowStatusMessage();
    } else {
        status_[static_cast<int>(pane)]->setText(text);
    }
}

void CMainFrame::ShowStatusMessage() {
    const QString& text = !prompt_.isEmpty() ? prompt_ : message_;
    status_[0]->setText(text.isEmpty() ? IdleText() : text);
}

void CMainFrame::OpenHelp(int context) { ui::OpenHelp(session_.chooser(), this, context); }

void CMainFrame::ShowAbout() {
    AboutDialog about(this);
    session_.chooser().Exec(about);
}

void CMainFrame::ChangeFont() {
    std::optional<QFont> font = session_.chooser().Font(this, session_.ListFont());
    if (font && session_.SetListFont(*font)) listPane_->ApplySettings();
}

void CMainFrame::SetPreviewMode(PreviewMode mode) {
    if (!session_.SetPreviewMode(mode)) return;
    doc_->UpdateAllViews(listPane_, PreviewEntry(session_.Core(), mode));
}

QWidget* CMainFrame::ShownListView() const { return listViews_->currentWidget(); }

void CMainFrame::ShowThumbnails(bool on) {
    session_.Core().settings.EnvThumbView = on;
    QWidget* shown = on ? static_cast<QWidget*>(thumbnailPane_) : listPane_;
    if (listViews_->currentWidget() == shown) return;
    bool hadFocus = listViews_->isAncestorOf(QApplication::focusWidget());
    listViews_->setCurrentWidget(shown);
    // The report view shows what the thumbnail view selected, whole rows.
    if (!on) listPane_->SyncFromCore();
    if (hadFocus) shown->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::BlankPreview() { doc_->UpdateAllViews(listPane_, -1); }

void CMainFrame::FocusOtherPane() {
    bool inList = listViews_->isAncestorOf(QApplication::focusWidget());
    (inList ? previewPane_ : ShownListView())->setFocus(Qt::ShortcutFocusReason);
}

}  // namespace mirulane::ui
