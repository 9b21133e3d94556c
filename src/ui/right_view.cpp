#include "ui/right_view.h"

#include <QBuffer>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QStyle>
#include <optional>

#include "app/files.h"
#include "ui/qt_text.h"
#include "ui/ui_session.h"

namespace mirulane::ui {

CRightView::CRightView(UiSession& session, QWidget* parent)
    : QTextBrowser(parent),
      session_(session),
      // A temp folder that Shift-JIS cannot name leaves no preview file: every write fails.
      preview_(session.Core(), ToCp932(session.PreviewFilePath()).value_or(std::string())) {
    setObjectName(QStringLiteral("previewPane"));
    setAccessibleName(QString::fromUtf8("プレビュー"));
    setMinimumWidth(60);
    // Links inside a previewed page are followed here; nothing is handed to another program.
    setOpenExternalLinks(false);
    // Posters are made one at a time: the pane waits for one movie at most.
    pool_.setMaxThreadCount(1);
}

CRightView::~CRightView() {
    stop_ = true;
    pool_.waitForDone();
    for (const QString& file : posterFiles_) QFile::remove(file);
}

int CRightView::CurrentEntry() const { return session_.Core().album.currentEntry; }

PaneGeometry CRightView::Pane() const {
    return {width(), height(), style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this)};
}

void CRightView::Update(QObject* sender, int hint) {
    if (!sender) return;
    PreviewShow show = preview_.Update(hint, Pane());
    if (!show.navigate) return;
    Show(show.path);
    {
        std::lock_guard<std::mutex> lock(waitingLock_);
        waiting_ = show.posterMovie;
    }
    if (!show.posterMovie.empty()) MakePoster(show.posterMovie, show.posterFile);
    if (show.notice) ShowNotice();
    if (focusBack_) focusBack_();
}

void CRightView::MakePoster(const std::string& movie, const std::string& file) {
    if (!postersAsked_.insert(movie).second) return;  // on its way already
    if (std::optional<std::string> system = ToSystemPath(file)) {
        posterFiles_ << QString::fromStdString(*system);
    }
    pool_.start([this, movie, file] {
        PosterEnd end = PosterEnd::Skipped;
        bool wanted = false;
        {
            std::lock_guard<std::mutex> lock(waitingLock_);
            wanted = waiting_ == movie;
        }
        if (wanted && !stop_) {
            end = MakePreviewPoster(movie, file, &stop_) ? PosterEnd::Made : PosterEnd::NoPoster;
        }
        if (stop_) return;
        QMetaObject::invokeMethod(
            this, [this, movie, file, end] { PosterReady(movie, file, end); },
            Qt::QueuedConnection);
    });
}

void CRightView::PosterReady(const std::string& movie, const std::string& file, PosterEnd end) {
    postersAsked_.erase(movie);
    if (end == PosterEnd::Skipped) return;  // asked for again if the movie is shown again
    preview_.PosterMade(movie, file, end == PosterEnd::Made);
    {
        std::lock_guard<std::mutex> lock(waitingLock_);
        if (end != PosterEnd::Made || waiting_ != movie || CurrentEntry() < 0) return;
    }
    // The card is shown again with its poster; the keyboard focus stays where it is now.
    PreviewShow show = preview_.Update(CurrentEntry(), Pane());
    if (show.navigate) Show(show.path);
}

void CRightView::Show(const std::string& path) {
    std::optional<std::string> file = path.empty() ? std::nullopt : ToSystemPath(path);
    if (!file) {
        clear();
        return;
    }
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(*file));
    // The preview file keeps its name from page to page: load it again.
    if (url == source()) {
        reload();
    } else {
        setSource(url);
    }
}

QVariant CRightView::loadResource(int type, const QUrl& name) {
    // Pages are read as CP932 by the same converter as every other text of the album, not by
    // whatever charset they declare (an entry's own page may declare any, or none).
    if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
        QFile file(name.toLocalFile());
        if (!file.open(QIODevice::ReadOnly)) return {};
        QByteArray bytes = file.readAll();
        return FromCp932(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    }
    QVariant loaded = QTextBrowser::loadResource(type, name);
    // Pictures are shown upright, as a browser shows them: a photo taken with the camera on its
    // side is turned by its Exif Orientation (the pages give it the turned size too). The
    // document would decode the bytes as they are stored.
    if (type == QTextDocument::ImageResource && loaded.typeId() == QMetaType::QByteArray) {
        QByteArray bytes = loaded.toByteArray();
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        reader.setAutoTransform(true);
        QImage image = reader.read();
        if (!image.isNull()) return image;
    }
    return loaded;
}

bool CRightView::event(QEvent* e) {
    bool handled = QTextBrowser::event(e);
    // A resized pane fits the picture anew. The pane's own size counts: resizeEvent() would
    // see the viewport, which also changes when a scroll bar comes or goes.
    if (e->type() == QEvent::Resize && CurrentEntry() >= 0) Update(this, CurrentEntry());
    return handled;
}

void CRightView::ShowNotice() {
    session_.chooser().Message(
        this, QMessageBox::Warning, QString::fromUtf8("個別／リストページプレビューでの注意事項"),
        QString::fromUtf8(
            "個別／リストページのプレビュー機能では、一時的に作成したHTMLファイルを表示します。\n"
            "このファイルは、指定された個別／リストページ出力先フォルダとは別の場所に置かれているた"
            "め、\n"
            "相対パスが正しく解釈されません。\n\n"
            "　表示に関して以下のような制限がありますのでご注意ください。\n\n"
            "　　・プレビューしたページ中のリンクをクリックしても、リンク先が表示されないことがある"
            "。\n"
            "　　・オリジナルテンプレートを使用しており、その中で独自の画像，リンクを使用している場"
            "合、\n"
            "　　　プレビューにおいては表示されないことがある。"),
        QMessageBox::Ok);
}

}  // namespace mirulane::ui
