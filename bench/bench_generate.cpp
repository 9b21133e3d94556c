// Generation cost against plain file creation: writes the HTML album of a large folder
// (pictures and thumbnails present), then creates the same number of files of the same sizes
// in the same run, and prints both times and the peak memory.
//
// usage: bench_generate [ENTRIES]   (default 10000)

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/generation_run.h"
#include "app/session.h"
#include "camera_album.h"
#include "fixtures/image_builder.h"
#include "html/output_folders.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "support/scripted_interaction.h"

namespace fs = std::filesystem;
using namespace mirulane;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // KiB on Linux
}

// Creates the files the plain way: open, write, close.
double CreatePlain(const std::string& folder, const std::vector<uintmax_t>& sizes) {
    fs::create_directories(folder);
    std::string bytes;
    auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < sizes.size(); ++i) {
        bytes.assign(sizes[i], 'x');
        std::string path = folder + Format("/f%06zu.html", i);
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            close(fd) != 0) {
            std::perror(path.c_str());
            std::exit(1);
        }
    }
    return Seconds(start);
}

// Creates the files the way pages are stored: a temporary file flushed to disk and renamed.
double CreateReplacing(const std::string& folder, const std::vector<uintmax_t>& sizes) {
    fs::create_directories(folder);
    std::string bytes;
    auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < sizes.size(); ++i) {
        bytes.assign(sizes[i], 'x');
        if (WriteFileReplacing(folder + Format("/f%06zu.html", i), bytes) != 0) {
            std::fprintf(stderr, "write failed\n");
            std::exit(1);
        }
    }
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (count < 1) count = 1;
    fixtures::TempDir dir;
    const std::string target = dir.path() + "/photos";
    fs::create_directories(target + "/thumb");

    ScriptedInteraction ui;
    Session session(ui);
    session.settings.EnvForceOverWrite = 1;
    SetDefaultFolders(session.album.style, target, session.settings);
    session.album.style.DetailPreset = 12;  // the busiest preset: picture, texts and Exif line
    session.album.style.ListPreset = 4;     // thumbnails with Exif rows

    EntryList& entries = session.album.entries;
    bench::FillCameraAlbum(entries, target, count);
    for (int i = 0; i < count; ++i) entries.SetField(i, COL_TITLE, Format("Photo number %d", i));

    // One run into a fresh folder; its time, and the sizes of the files it wrote.
    auto generateInto = [&](const std::string& out, std::vector<uintmax_t>* sizes) {
        PageStyle& style = session.album.style;
        style.TopFolder = out;
        style.ListFolder = style.DetailFolder = out + "/html";
        sync();  // nothing left to write back from the phase before
        auto start = std::chrono::steady_clock::now();
        GenerationResult result = GenerationRun(session);
        double seconds = Seconds(start);
        if (result != GenerationResult::Done) {
            std::fprintf(stderr, "generation failed: %d\n", static_cast<int>(result));
            std::exit(1);
        }
        for (const char* folder : {"", "/html"}) {
            for (const auto& item : fs::directory_iterator(out + folder)) {
                if (sizes && item.is_regular_file() && item.path().extension() == ".html") {
                    sizes->push_back(item.file_size());
                }
            }
        }
        return seconds;
    };

    long setupKiB = PeakKiB();
    std::vector<uintmax_t> sizes;
    double generation = generateInto(dir.path() + "/first", &sizes);
    uintmax_t total = 0;
    for (uintmax_t size : sizes) total += size;

    // The phases take turns, three rounds on fresh folders, and the best time of each counts:
    // the machine is shared, and file creation costs drift as the file system fills.
    constexpr int kRounds = 3;
    double plain = 1e9, replacing = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        sync();
        plain = std::min(plain, CreatePlain(dir.path() + Format("/plain%d", round), sizes));
        generation =
            std::min(generation, generateInto(dir.path() + Format("/album%d", round), nullptr));
        sync();
        replacing =
            std::min(replacing, CreateReplacing(dir.path() + Format("/replacing%d", round), sizes));
    }

    // Generating again over the pages of the first run replaces every page through a flushed
    // temporary file.
    double regeneration = generateInto(dir.path() + "/first", nullptr);

    std::printf("entries:                         %d (%zu pages, %ju bytes)\n", count, sizes.size(),
                total);
    std::printf("generation run:                  %.3f s\n", generation);
    std::printf("same files, open/write/close:    %.3f s  (generation / this = %.2f)\n", plain,
                generation / plain);
    std::printf("same files, temp+fsync+rename:   %.3f s  (generation / this = %.2f)\n", replacing,
                generation / replacing);
    std::printf("generation over existing pages:  %.3f s\n", regeneration);
    std::printf("peak memory (ru_maxrss):         %.1f MiB (%.1f MiB before the first run)\n",
                PeakKiB() / 1024.0, setupKiB / 1024.0);
    return 0;
}
