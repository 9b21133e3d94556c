// List pane figures with a long album: opening its album list file until the list has been
// painted, sorting by each column, selecting all, scrolling page by page, and the memory the
// whole program holds. Run offscreen (QT_QPA_PLATFORM=offscreen) or on a desktop.

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "album/album_file.h"
#include "album/columns.h"
#include "app/session.h"
#include "declining_chooser.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"
#include "ui/left_view.h"
#include "ui/main_frame.h"
#include "ui/ui_session.h"

namespace {

using namespace mirulane;
using namespace mirulane::ui;

// An album of n camera-like entries with every field filled, Japanese titles included.
void WriteLongAlbum(const std::string& path, int n) {
    Album album;
    album.style.TargetFolder = "/srv/photos/trip";
    const std::string title = Sj("旅行の写真");
    for (int i = 0; i < n; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%05d.JPG", (i * 7919) % n);
        int e = album.entries.Append(name);
        for (int c = 1; c < kColumnCount; ++c) {
            album.entries.SetField(e, c, title + " " + std::to_string((i * 31 + c * 17) % 997));
        }
    }
    (void)WriteAlbumFile(album, path);
}

double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Milliseconds of one step, the painting it causes included.
template <typename F>
double Timed(QWidget& window, F step) {
    QElapsedTimer timer;
    timer.start();
    step();
    window.repaint();
    QApplication::processEvents();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int n = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    std::string album = dir.path().toStdString() + "/album.txt";
    WriteLongAlbum(album, n);
    std::printf("entries: %d, album list file: %s\n", n, album.c_str());
    {
        // The core's own part: reading the file into an album no window looks at.
        Album plain;
        QElapsedTimer timer;
        timer.start();
        (void)ReadAlbumFile(plain, album, nullptr);
        std::printf("reading the file alone: %.1f ms\n",
                    static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("memory before the window: %.1f MiB peak\n", PeakMiB());

    Declining chooser;
    UiSession session(chooser, dir.path() + QStringLiteral("/mirulane.ini"));
    CMainFrame frame(session);
    frame.show();
    QApplication::processEvents();

    double open = Timed(frame, [&] { frame.OpenAlbumFile(QString::fromStdString(album)); });
    std::printf("open until painted: %.1f ms\n", open);

    std::vector<double> sorts;
    for (int c = 0; c < kColumnCount; ++c) {
        sorts.push_back(Timed(frame, [&] { emit frame.ListPane()->SortRequested(c); }));
    }
    std::printf(
        "sort by a column: median %.1f ms, slowest %.1f ms (column %d)\n",
        [&] {
            auto s = sorts;
            std::sort(s.begin(), s.end());
            return s[s.size() / 2];
        }(),
        *std::max_element(sorts.begin(), sorts.end()),
        static_cast<int>(std::max_element(sorts.begin(), sorts.end()) - sorts.begin()));

    double selectAll = Timed(frame, [&] { frame.Action(CMainFrame::kSelectAll)->trigger(); });
    std::printf("select all: %.1f ms\n", selectAll);
    double sortSelected = Timed(frame, [&] { emit frame.ListPane()->SortRequested(COL_TITLE); });
    std::printf("sort with every entry selected: %.1f ms\n", sortSelected);

    QScrollBar* bar = frame.ListPane()->verticalScrollBar();
    const int pages = 200;
    double scroll = Timed(frame, [&] {
        for (int i = 0; i < pages; ++i) {
            bar->setValue(bar->value() + bar->pageStep());
            frame.ListPane()->viewport()->repaint();
        }
    });
    std::printf("scroll: %.2f ms per page (%d pages)\n", scroll / pages, pages);
    std::printf("memory of the whole program: %.1f MiB peak\n", PeakMiB());
    frame.close();
    return 0;
}
