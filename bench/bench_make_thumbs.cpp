// Thumbnails made from photos without an embedded one: `mirulane-cli thumbs` (every core), its
// rerun with nothing changed, and ImageMagick's `convert -thumbnail 160x120` run on the same
// files one by one, all fitting them into 160 x 120.
//
// usage: bench_make_thumbs [COUNT [CONVERT_COUNT]]
//   COUNT photos of 2 to 12 megapixels (default 1000) in a temporary folder; convert runs on
//   the first CONVERT_COUNT of them (default all, 0 none) and its rate is given per photo. An
//   unchanged rerun of mirulane-cli thumbs is timed against the first run.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_process.h"
#include "fixtures/image_builder.h"  // TempDir
#include "fixtures/picture_builder.h"

namespace {

namespace fs = std::filesystem;
namespace bench = mirulane::bench;
using bench::Clock;
using bench::Seconds;

}  // namespace

int main(int argc, char** argv) {
    using namespace mirulane::fixtures;
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int convertCount = argc > 2 ? std::atoi(argv[2]) : count;
    TempDir dir;
    const std::string photos = dir.path() + "/photos";
    fs::create_directory(photos);

    // Eleven distinct photos of 4:3 shape from 2 to 12 megapixels, with grain so that they do
    // not compress like flat colour, copied round: encoding 1,000 would take longer than the
    // run measured.
    auto start = Clock::now();
    std::vector<std::string> kinds;
    for (int mp = 2; mp <= 12; ++mp) {
        const int width = static_cast<int>(std::sqrt(mp * 1e6 * 4 / 3));
        kinds.push_back(MakePicture(PictureFormat::Jpeg, width, width * 3 / 4, 1, false, 12));
    }
    char name[32];
    double bytes = 0;
    for (int i = 0; i < count; ++i) {
        bytes += kinds[i % kinds.size()].size();
        std::snprintf(name, sizeof name, "/P%04d.jpg", i);
        dir.Write(std::string("photos") + name, kinds[i % kinds.size()]);
    }
    std::printf("%d photos of 2-12 MP (%.1f MB on average) written in %.1f s\n", count,
                bytes / count / 1e6, Seconds(start));

    const std::string list = dir.path() + "/album.txt";
    if (bench::RunProgram({MIRULANE_CLI_PATH, "--profile", "/nonexistent/mirulane.ini", "scan",
                           photos, "-o", list}) != 0) {
        std::fprintf(stderr, "scan failed\n");
        return 1;
    }
    // The same box as convert's.
    if (bench::RunProgram({MIRULANE_CLI_PATH, "--profile", "/nonexistent/mirulane.ini", "options",
                           list, "--thumb-size", "160x120"}) != 0) {
        std::fprintf(stderr, "options failed\n");
        return 1;
    }
    long rss = 0;
    start = Clock::now();
    int status = bench::RunProgram({MIRULANE_CLI_PATH, "--profile", "/nonexistent/mirulane.ini",
                                    "thumbs", list, "--to", dir.path() + "/ours", "--force"},
                                   &rss);
    const double ours = Seconds(start);
    std::printf(
        "  mirulane-cli thumbs:        %8.2f s, %7.1f photos/s, peak memory %.1f MiB, "
        "exit %d\n",
        ours, count / ours, rss / 1024.0, status);

    // Again with nothing changed: the thumbnails made are current, no picture is decoded.
    long rerunRss = 0;
    start = Clock::now();
    int rerunStatus =
        bench::RunProgram({MIRULANE_CLI_PATH, "--profile", "/nonexistent/mirulane.ini", "thumbs",
                           list, "--to", dir.path() + "/ours"},
                          &rerunRss);
    const double rerun = Seconds(start);
    std::printf(
        "  unchanged rerun:            %8.2f s, %6.1f%% of the first run, peak memory %.1f "
        "MiB, exit %d\n",
        rerun, 100.0 * rerun / ours, rerunRss / 1024.0, rerunStatus);
    if (convertCount <= 0) return 0;

    fs::create_directory(dir.path() + "/convert");
    long convertRss = 0;
    start = Clock::now();
    for (int i = 0; i < convertCount; ++i) {
        std::snprintf(name, sizeof name, "/P%04d.jpg", i);
        long r = 0;
        bench::RunProgram({"/usr/bin/convert", photos + name, "-thumbnail", "160x120",
                           dir.path() + "/convert" + name},
                          &r);
        if (r > convertRss) convertRss = r;
    }
    const double theirs = Seconds(start);
    std::printf(
        "  convert -thumbnail 160x120: %8.2f s for %d, %7.1f photos/s, peak memory "
        "%.1f MiB\n",
        theirs, convertCount, convertCount / theirs, convertRss / 1024.0);
    std::printf("  ratio: %.1fx\n", (count / ours) / (convertCount / theirs));
    return 0;
}
