#include "ui/thumbnail_cache.h"

#include <QBuffer>
#include <QImageReader>

#include "app/list_picture.h"

namespace mirulane::ui {
namespace {

// Requests beyond these are the oldest, for entries scrolled past long ago: they are dropped
// and asked for again if they are shown again.
constexpr size_t kMaxQueued = 128;

const char* FormatName(ListPictureFormat format) {
    switch (format) {
        case ListPictureFormat::Png:
            return "png";
        case ListPictureFormat::Gif:
            return "gif";
        case ListPictureFormat::Jpeg:
            break;
    }
    return "jpeg";
}

// Decodes the picture into at most box × box, upright by its own Exif Orientation.
QImage Decode(const ListPicture& picture, int box) {
    QByteArray bytes =
        QByteArray::fromRawData(picture.bytes.data(), static_cast<qsizetype>(picture.bytes.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, FormatName(picture.format));
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid() && (size.width() > box || size.height() > box)) {
        reader.setScaledSize(size.scaled(box, box, Qt::KeepAspectRatio).expandedTo({1, 1}));
    }
    QImage image = reader.read();
    if (image.isNull()) return image;
    // The reader leaves the size as it was read when it turns the picture.
    if (image.width() > box || image.height() > box) {
        image = image.scaled(box, box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

ThumbnailCache::Shown Shape(const ListPicture& picture, int box) {
    ThumbnailCache::Shown shown;
    switch (picture.kind) {
        case ListPictureKind::Picture:
            shown.image = Decode(picture, box);
            shown.state = shown.image.isNull() ? ThumbnailCache::State::Missing
                                               : ThumbnailCache::State::Picture;
            break;
        case ListPictureKind::Movie:
            shown.state = ThumbnailCache::State::Movie;
            break;
        case ListPictureKind::None:
            shown.state = ThumbnailCache::State::Missing;
            break;
    }
    return shown;
}

}  // namespace

ThumbnailCache::ThumbnailCache(int box, int costLimitKiB, QObject* parent)
    : QObject(parent), box_(box), cache_(costLimitKiB) {
    // Two readers keep the disk busy and leave the window's thread its core.
    pool_.setMaxThreadCount(2);
    pool_.setExpiryTimeout(5000);
}

ThumbnailCache::~ThumbnailCache() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.clear();
    }
    pool_.waitForDone();
}

void ThumbnailCache::SetFolders(const std::string& targetFolder, const std::string& thumbFolder) {
    if (pictures_ && pictures_->TargetFolder() == targetFolder &&
        pictures_->ThumbFolder() == thumbFolder) {
        return;
    }
    pictures_ = std::make_shared<const ListPictures>(targetFolder, thumbFolder, box_);
    Clear();
}

void ThumbnailCache::Clear() {
    ++generation_;
    cache_.clear();
    requested_.clear();
    // The thumbnail folder is listed again by the next request.
    if (pictures_) {
        pictures_ = std::make_shared<const ListPictures>(pictures_->TargetFolder(),
                                                         pictures_->ThumbFolder(), box_);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.clear();
}

ThumbnailCache::Shown ThumbnailCache::Get(const std::string& fileName) {
    QByteArray name(fileName.data(), static_cast<qsizetype>(fileName.size()));
    if (const Shown* shown = cache_.object(name)) return *shown;
    if (!pictures_ || requested_.contains(name)) return {};
    if (!started_) {
        // The decoders' process-wide state is set up here, on the window's thread.
        PrepareListPictures();
        started_ = true;
    }
    requested_.insert(name);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back({name, generation_, pictures_});
        while (queue_.size() > kMaxQueued) {
            requested_.remove(queue_.front().name);
            queue_.pop_front();
        }
    }
    pool_.start([this] { Work(); });
    return {};
}

void ThumbnailCache::Work() {
    Job job;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // Another worker took it, or it was dropped.
        if (queue_.empty()) return;
        job = std::move(queue_.back());
        queue_.pop_back();
    }
    const std::string name(job.name.constData(), static_cast<size_t>(job.name.size()));
    Shown shown = Shape(job.pictures->Load(name), box_);
    QMetaObject::invokeMethod(
        this,
        [this, generation = job.generation, n = job.name, shown] { Deliver(generation, n, shown); },
        Qt::QueuedConnection);
}

void ThumbnailCache::Deliver(quint64 generation, const QByteArray& name, const Shown& shown) {
    if (generation != generation_) return;
    requested_.remove(name);
    const qsizetype bytes = shown.image.sizeInBytes();
    cache_.insert(name, new Shown(shown), std::max<qsizetype>(1, bytes / 1024));
    emit Ready();
}

}  // namespace mirulane::ui
