// Folder scan figures on camera JPEGs from a warm cache: a fresh scan with Exif capture
// against opening each file and reading its first 64 KiB; a refresh after 100 files were
// removed and 100 added; and the whole `mirulane-cli album --thumbs` run (wall time and peak
// memory of the process).
//
// usage: bench_scan [COUNT]   (default 10000 files of 100-300 KiB in a temporary folder)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "album/settings.h"
#include "app/folder_scan.h"
#include "bench_process.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "platform/fs.h"

namespace {

namespace bench = mirulane::bench;
using bench::Clock;
using bench::Seconds;

// Shows nothing: the figures are about the scan, not about a terminal.
class Quiet : public mirulane::Interaction {
  public:
    mirulane::MsgAnswer Message(std::string_view, std::string_view, mirulane::MsgIcon,
                                mirulane::MsgButtons) override {
        return mirulane::MsgAnswer::Ok;
    }
    mirulane::OverwriteAnswer ConfirmOverwrite(std::string_view) override {
        return mirulane::OverwriteAnswer::All;
    }
    void SetStatus(mirulane::StatusPane, std::string_view) override {}
    void SetWaitCursor(bool) override {}
    mirulane::ProgressAnswer Progress(int, int) override {
        return mirulane::ProgressAnswer::Continue;
    }
    void WarnNamingFiles(std::string_view, const std::vector<std::string>&,
                         std::string_view) override {}
};

std::string Name(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "DSC%05d.JPG", i);
    return name;
}

double ReadHeads(const std::string& folder, const std::vector<std::string>& names) {
    auto start = Clock::now();
    std::string head;
    for (const auto& n : names) mirulane::ReadFileBytes(folder + "/" + n, head, 64 * 1024);
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace mirulane;
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (count <= 100) {
        std::fprintf(stderr, "usage: bench_scan [COUNT > 100]\n");
        return 2;
    }
    fixtures::TempDir dir;
    const std::string folder = dir.path() + "/photos";
    std::filesystem::create_directories(folder);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        fixtures::CameraJpeg cam;
        cam.scanPadding = 100 * 1024 + (i % 200) * 1024;
        names.push_back(Name(i));
        dir.Write("photos/" + names.back(), fixtures::MakeCameraJpeg(cam));
    }
    ReadHeads(folder, names);  // warm the cache
    double heads = ReadHeads(folder, names);

    Settings settings;
    Quiet ui;
    Album album;
    auto start = Clock::now();
    int accepted = ScanFolder(album, folder, ScanMode::Fresh, settings, ui);
    double fresh = Seconds(start);

    for (int i = 0; i < 100; ++i) std::filesystem::remove(folder + "/" + names[i * (count / 100)]);
    for (int i = 0; i < 100; ++i) {
        dir.Write("photos/" + Name(count + i), fixtures::MakeCameraJpeg());
    }
    start = Clock::now();
    int refreshed = ScanFolder(album, folder, ScanMode::Refresh, settings, ui);
    double refresh = Seconds(start);

    std::printf("%d camera JPEGs, warm cache\n", count);
    std::printf("  open + read 64 KiB + close each: %8.3f s\n", heads);
    std::printf("  fresh scan with Exif capture:    %8.3f s  (%.2f x; %d accepted)\n", fresh,
                fresh / heads, accepted);
    std::printf("  refresh, 100 removed, 100 added: %8.3f s  (%.2f x the fresh scan; %d entries)\n",
                refresh, refresh / fresh, refreshed);

    // The whole command as a user runs it, in a process of its own.
    start = Clock::now();
    long peakKiB = 0;
    const int status =
        bench::RunProgram({MIRULANE_CLI_PATH, "--profile", "/nonexistent/mirulane.ini", "album",
                           folder, "--thumbs", "--force"},
                          &peakKiB);
    std::printf("  mirulane-cli album --thumbs:     %8.3f s wall, peak memory %.1f MiB, exit %d\n",
                Seconds(start), peakKiB / 1024.0, status);
    return 0;
}
