// Page writing on a first run and on reruns, next to a floor: an album of many entries on tmpfs
// (/dev/shm unless TMPDIR names another folder), written fresh, written again with nothing
// changed, and written again with every page changed. The floor does per entry what writing a
// page cannot do without: open the photo and its thumbnail and read their headers, write a
// 2 KiB page to a temporary file and rename it into place. Each figure is the best of a few
// rounds (the machine is shared).
//
// usage: bench_page_rerun [ENTRIES] [--rounds N]
//                         [--stop-after setup|first|unchanged|changed|floor]
// (--stop-after runs one round up to that phase, for counting system calls with strace -c -f:
// the count of a phase is its run's count less the one of the phase before.)

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/generation_run.h"
#include "app/session.h"
#include "camera_album.h"
#include "fixtures/image_builder.h"
#include "html/output_folders.h"
#include "platform/output_manifest.h"
#include "platform/text.h"
#include "support/scripted_interaction.h"

namespace fs = std::filesystem;
using namespace mirulane;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "bench_page_rerun: %s\n", what.c_str());
    std::exit(1);
}

// Reads the first bytes of a file, as a header reader does.
void ReadHeader(const std::string& path) {
    char buf[4096];
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || read(fd, buf, sizeof buf) <= 0 || close(fd) != 0) Fail("read " + path);
}

// The floor: per entry two headers read, a 2 KiB page written to a temporary file and renamed.
double Floor(const std::string& photos, const std::string& out, int count) {
    fs::create_directories(out);
    const std::string page(2048, 'x');
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        ReadHeader(photos + Format("/IMG_%05d.JPG", i));
        ReadHeader(photos + Format("/thumb/IMG_%05d.jpg", i));
        const std::string tmp = out + Format("/.tmp-%05d", i);
        int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 || write(fd, page.data(), page.size()) != static_cast<ssize_t>(page.size()) ||
            close(fd) != 0 ||
            rename(tmp.c_str(), (out + Format("/IMG_%05d.html", i)).c_str()) != 0) {
            Fail("write " + tmp);
        }
    }
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    int count = 10000;
    int rounds = 3;
    std::string stopAfter;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--stop-after") == 0 && i + 1 < argc) {
            stopAfter = argv[++i];
            rounds = 1;
        } else {
            count = std::max(1, std::atoi(argv[i]));
        }
    }
    if (!std::getenv("TMPDIR")) setenv("TMPDIR", "/dev/shm", 1);
    fixtures::TempDir dir;
    const std::string target = dir.path() + "/photos";
    fs::create_directories(target + "/thumb");

    ScriptedInteraction ui;
    Session session(ui);
    PageStyle& style = session.album.style;
    SetDefaultFolders(style, target, session.settings);
    style.DetailPreset = 12;  // the busiest preset: picture, texts and Exif line
    style.ListPreset = 4;     // thumbnails with Exif rows

    EntryList& entries = session.album.entries;
    bench::FillCameraAlbum(entries, target, count);
    // Every detail page shows its entry's title: a new title for each changes every page.
    auto retitle = [&](int version) {
        for (int i = 0; i < count; ++i) {
            entries.SetField(i, COL_TITLE, Format("Photo number %d, version %d", i, version));
        }
    };
    int version = 0;
    // A stop leaves the folder in place (it prints its name), so that the system calls of
    // removing it are not counted with the phase; whoever counts removes it.
    auto stopAt = [&](const char* phase) {
        if (stopAfter != phase) return;
        std::fprintf(stderr, "%s\n", dir.path().c_str());
        std::_Exit(0);
    };
    stopAt("setup");
    auto generate = [&](const std::string& out, OutputTally* tally) {
        style.TopFolder = out;
        style.ListFolder = style.DetailFolder = out + "/html";
        auto start = std::chrono::steady_clock::now();
        GenerationResult result = GenerationRun(session, tally);
        double seconds = Seconds(start);
        if (result != GenerationResult::Done) Fail(Format("generation failed: %d", int(result)));
        return seconds;
    };

    double first = 1e9, unchanged = 1e9, changed = 1e9, floorNew = 1e9, floorReplacing = 1e9;
    OutputTally firstTally, unchangedTally, changedTally;
    for (int round = 0; round < rounds; ++round) {
        const std::string out = dir.path() + Format("/album%d", round);
        retitle(version);
        sync();
        first = std::min(first, generate(out, &firstTally));
        stopAt("first");
        sync();
        unchanged = std::min(unchanged, generate(out, &unchangedTally));
        stopAt("unchanged");
        retitle(++version);
        sync();
        changed = std::min(changed, generate(out, &changedTally));
        stopAt("changed");
        const std::string floorOut = dir.path() + Format("/floor%d", round);
        sync();
        floorNew = std::min(floorNew, Floor(target, floorOut, count));
        sync();
        floorReplacing = std::min(floorReplacing, Floor(target, floorOut, count));
        stopAt("floor");
        fs::remove_all(out);
        fs::remove_all(floorOut);
    }
    if (unchangedTally.written != 0 || changedTally.written < count) {
        Fail(Format("unexpected counts: unchanged rerun wrote %d, changed rerun wrote %d",
                    unchangedTally.written, changedTally.written));
    }

    std::printf("entries:                  %d, on %s, best of %d rounds\n", count,
                dir.path().c_str(), rounds);
    std::printf("floor, new pages:         %.3f s\n", floorNew);
    std::printf("floor, replacing pages:   %.3f s\n", floorReplacing);
    std::printf("first run:                %.3f s  (%d written; / floor new = %.2f)\n", first,
                firstTally.written, first / floorNew);
    std::printf("unchanged rerun:          %.3f s  (%d unchanged; / floor replacing = %.2f)\n",
                unchanged, unchangedTally.unchanged, unchanged / floorReplacing);
    std::printf("all-changed rerun:        %.3f s  (%d written; / floor replacing = %.2f)\n",
                changed, changedTally.written, changed / floorReplacing);
    return 0;
}
