#pragma once
// The pictures of the thumbnail view: read and decoded on worker threads, never on the
// window's, and kept in a cache of bounded size, so that a long album costs only the pictures
// last shown. An entry with no picture yet shows a placeholder until its picture is ready.

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QThreadPool>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace mirulane {
class ListPictures;
}

namespace mirulane::ui {

class ThumbnailCache : public QObject {
    Q_OBJECT
  public:
    enum class State {
        Loading,  // asked for, not ready yet
        Picture,  // `image` holds it, at most box × box
        Movie,    // a movie without a poster
        Missing,  // no picture can be shown
    };
    struct Shown {
        State state = State::Loading;
        QImage image;
    };

    // box: the largest side of a picture; costLimitKiB: what the cached pictures may hold.
    explicit ThumbnailCache(int box, int costLimitKiB = 48 * 1024, QObject* parent = nullptr);
    ~ThumbnailCache() override;

    // The album's folders (CP932). A change forgets every picture and every request.
    void SetFolders(const std::string& targetFolder, const std::string& thumbFolder);
    // Forgets every picture (the files may have changed) and every request.
    void Clear();

    // What the entry of this file name (CP932) shows now. When nothing is known yet, its
    // picture is asked for; Ready tells when it has come.
    Shown Get(const std::string& fileName);

    int Box() const { return box_; }
    // How many requests are waiting or being worked on.
    int Pending() const { return static_cast<int>(requested_.size()); }

  signals:
    void Ready();

  private:
    struct Job {
        QByteArray name;
        quint64 generation;
        std::shared_ptr<const ListPictures> pictures;
    };
    void Work();
    void Deliver(quint64 generation, const QByteArray& name, const Shown& shown);

    const int box_;
    QCache<QByteArray, Shown> cache_;  // cost in KiB
    QSet<QByteArray> requested_;       // asked for, not delivered yet
    std::shared_ptr<const ListPictures> pictures_;
    quint64 generation_ = 0;
    bool started_ = false;
    std::mutex mutex_;
    std::deque<Job> queue_;  // newest last: what was shown last is read first
    QThreadPool pool_;
};

}  // namespace mirulane::ui
