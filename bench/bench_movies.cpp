// Movies of an album: the posters alone (`mirulane-cli thumbs`), the whole album with the
// playable copies of the clips browsers cannot play (`mirulane-cli album`), and the ffmpeg
// program making an H.264 copy of each clip one by one (`ffmpeg -i CLIP -c:v libx264 -preset
// veryfast`), on the same clips, with each one's peak memory.
//
// usage: bench_movies [COUNT [SECONDS]]
//   COUNT clips (default 100), half an old camera's Motion-JPEG AVI at 640 x 480, half a
//   phone's H.264 MP4 at 1280 x 720, each SECONDS long (default 5) at 30 frames a second with
//   sound. The ffmpeg figures are left out when /usr/bin/ffmpeg is not installed.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_process.h"
#include "fixtures/image_builder.h"  // TempDir
#include "fixtures/movie_builder.h"

namespace {

namespace fs = std::filesystem;
namespace bench = mirulane::bench;
using bench::Clock;
using bench::Seconds;

}  // namespace

int main(int argc, char** argv) {
    using namespace mirulane::fixtures;
    const int count = argc > 1 ? std::atoi(argv[1]) : 100;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 5.0;
    TempDir dir;
    const std::string clips = dir.path() + "/clips";
    fs::create_directory(clips);
    std::vector<std::string> names;
    auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        char name[32];
        const bool avi = i % 2 == 0;
        std::snprintf(name, sizeof name, avi ? "MVI_%04d.AVI" : "VID_%04d.mp4", i);
        ClipRecipe recipe = avi ? ClipRecipe{ClipKind::MjpegAvi, 640, 480, 30, seconds, true}
                                : ClipRecipe{ClipKind::H264Mp4, 1280, 720, 30, seconds, true};
        recipe.blueFrom = 0.1 * (i % 10);
        if (!WriteClip(clips + "/" + name, recipe)) {
            std::fprintf(stderr, "cannot make %s\n", name);
            return 1;
        }
        names.push_back(name);
    }
    const int avis = (count + 1) / 2;
    std::printf(
        "%d clips of %.0f s (%d Motion-JPEG AVI 640x480, %d H.264 MP4 1280x720) made in "
        "%.1f s\n",
        count, seconds, avis, count - avis, Seconds(start));

    const std::string list = clips + "/album.txt";
    if (bench::RunProgram({MIRULANE_CLI_PATH, "--profile", "/nonexistent/mirulane.ini", "scan",
                           clips, "-o", list}) != 0) {
        std::fprintf(stderr, "scan failed\n");
        return 1;
    }
    long rss = 0;
    start = Clock::now();
    int status = bench::RunProgram({MIRULANE_CLI_PATH, "--profile", "/nonexistent/mirulane.ini",
                                    "thumbs", list, "--to", clips + "/thumb"},
                                   &rss);
    const double posters = Seconds(start);
    std::printf(
        "  posters (mirulane-cli thumbs):         %8.2f s, %6.1f clips/s, peak memory "
        "%.1f MiB, exit %d\n",
        posters, count / posters, rss / 1024.0, status);

    start = Clock::now();
    status = bench::RunProgram(
        {MIRULANE_CLI_PATH, "--profile", "/nonexistent/mirulane.ini", "album", "-o", list, clips},
        &rss);
    const double album = Seconds(start);
    std::printf(
        "  album with playable copies (%d made):  %8.2f s, %6.2f s a copy, peak memory "
        "%.1f MiB, exit %d\n",
        avis, album, album / avis, rss / 1024.0, status);
    start = Clock::now();
    status = bench::RunProgram(
        {MIRULANE_CLI_PATH, "--profile", "/nonexistent/mirulane.ini", "album", "-o", list, clips},
        &rss);
    std::printf("  the same album again (copies current): %8.2f s, exit %d\n", Seconds(start),
                status);

    if (access("/usr/bin/ffmpeg", X_OK) != 0) {
        std::printf("  ffmpeg: not installed, not measured\n");
        return 0;
    }
    fs::create_directory(dir.path() + "/ffmpeg");
    long ffmpegRss = 0;
    double aviTime = 0;
    start = Clock::now();
    for (const std::string& name : names) {
        long r = 0;
        const auto one = Clock::now();
        bench::RunProgram(
            {"/usr/bin/ffmpeg", "-nostdin", "-y", "-i", clips + "/" + name, "-c:v", "libx264",
             "-preset", "veryfast", dir.path() + "/ffmpeg/" + name + ".mp4"},
            &r);
        if (name.ends_with(".AVI")) aviTime += Seconds(one);
        if (r > ffmpegRss) ffmpegRss = r;
    }
    const double theirs = Seconds(start);
    std::printf(
        "  ffmpeg -c:v libx264 -preset veryfast:  %8.2f s for all %d, %6.2f s a clip "
        "(%.2f s an AVI), peak memory %.1f MiB\n",
        theirs, count, theirs / count, aviTime / avis, ffmpegRss / 1024.0);
    return 0;
}
