// Thumbnail view figures with a long album: opening it in the thumbnail view until the first
// screen is painted (placeholders) and until its pictures are in, scrolling page by page, and
// the memory the whole program holds. Two albums: one whose thumbnail folder holds a
// thumbnail for every entry, one of photos the view has to make small itself. Run offscreen
// (QT_QPA_PLATFORM=offscreen) or on a desktop. Usage: bench_thumbnail_view [ENTRIES]

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <string>

#include "album/album_file.h"
#include "app/session.h"
#include "declining_chooser.h"
#include "fixtures/picture_builder.h"
#include "ui/main_frame.h"
#include "ui/thumbnail_cache.h"
#include "ui/thumbnail_grid.h"
#include "ui/ui_session.h"

namespace {

using namespace mirulane;
using namespace mirulane::ui;
namespace fs = std::filesystem;

double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double Ms(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// n entries whose files are links to one picture (photo, or thumbnail in thumbs/), so that
// the album costs no disk; every file is still read and decoded on its own.
std::string WriteAlbum(const std::string& root, int n, bool withThumbs) {
    const std::string photos = root + "/photos", thumbs = root + "/thumbs";
    fs::create_directories(photos);
    fs::create_directories(thumbs);
    using fixtures::PictureFormat;
    const std::string one = root + "/one.jpg";
    {
        std::string bytes =
            withThumbs ? fixtures::MakePicture(PictureFormat::Jpeg, 160, 120)
                       : fixtures::MakePicture(PictureFormat::Jpeg, 1600, 1200, 6, false, 6.0);
        FILE* f = std::fopen(one.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    Album album;
    album.style.TargetFolder = photos;
    album.style.ThumbFolder = thumbs;
    for (int i = 0; i < n; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%05d.JPG", i);
        album.entries.Append(name);
        fs::create_hard_link(one, (withThumbs ? thumbs : photos) + "/" + name);
    }
    const std::string path = root + "/album.txt";
    (void)WriteAlbumFile(album, path);
    return path;
}

// Lets the workers finish what the view asked for; milliseconds until then.
double UntilPicturesIn(ThumbnailGrid& grid, const QElapsedTimer& since) {
    while (grid.Cache().Pending() > 0) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        grid.viewport()->repaint();
    }
    return Ms(since);
}

void Run(int n, bool withThumbs) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();
    const std::string album = WriteAlbum(root, n, withThumbs);
    std::printf("\n%d entries, %s\n", n,
                withThumbs ? "a thumbnail for each in the thumbnail folder"
                           : "1600 x 1200 photos (turned) without thumbnails, made small here");

    Declining chooser;
    // The profile asks for the thumbnail view.
    const QString profile = dir.path() + QStringLiteral("/mirulane.ini");
    {
        FILE* f = std::fopen(profile.toLocal8Bit().constData(), "wb");
        std::fputs("[Environment]\r\nEnvThumbView=1\r\nShowHelp=0\r\n", f);
        std::fclose(f);
    }
    UiSession session(chooser, profile);
    CMainFrame frame(session);
    frame.show();
    QApplication::processEvents();
    ThumbnailGrid& grid = *frame.ThumbnailPane();

    QElapsedTimer timer;
    timer.start();
    frame.OpenAlbumFile(QString::fromStdString(album));
    // The view lays its cells out once the events have run; then it paints them.
    QApplication::processEvents();
    frame.repaint();
    std::printf("open until the first screen is painted: %.1f ms\n", Ms(timer));
    std::printf("until its pictures are in: %.1f ms\n", UntilPicturesIn(grid, timer));

    QScrollBar* bar = grid.verticalScrollBar();
    const int pages = withThumbs ? 200 : 20;
    QElapsedTimer scroll;
    scroll.start();
    double painting = 0;
    for (int i = 0; i < pages; ++i) {
        QElapsedTimer page;
        page.start();
        bar->setValue(bar->value() + bar->pageStep());
        QApplication::processEvents();
        grid.viewport()->repaint();
        painting += Ms(page);
        QApplication::processEvents();
    }
    std::printf("scroll: %.2f ms of the window's thread per page (%d pages)\n", painting / pages,
                pages);
    const double scrolled = Ms(scroll);
    std::printf("until the last page's pictures are in: %.1f ms after the last step\n",
                UntilPicturesIn(grid, scroll) - scrolled);
    bar->setValue(bar->maximum());
    grid.viewport()->repaint();
    UntilPicturesIn(grid, scroll);
    std::printf("memory of the whole program: %.1f MiB peak\n", PeakMiB());
    frame.close();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 10000;
    Run(n, true);
    Run(n, false);
    return 0;
}
