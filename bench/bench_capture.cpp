// Entry capture over camera JPEGs, against the bare cost of opening each file, reading its
// first 64 KiB and closing it, on the same files in the same run (warm cache).
//
// usage: bench_capture [COUNT]   (default 10000 files of 100-300 KiB in a temporary folder)

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "album/entry_list.h"
#include "album/settings.h"
#include "exif/entry_capture.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "platform/fs.h"
#include "platform/text.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace mirulane;
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (count <= 0) {
        std::fprintf(stderr, "usage: bench_capture [COUNT]\n");
        return 2;
    }
    fixtures::TempDir dir;  // removed with the files at the end
    const std::string& folder = dir.path();

    // Camera files of 100 to 300 KiB: the same Exif block, scan data of varying length.
    std::vector<std::string> names;
    uint64_t totalBytes = 0;
    for (int i = 0; i < count; ++i) {
        fixtures::CameraJpeg camera;
        camera.order = i % 3 == 0 ? fixtures::ByteOrder::Little : fixtures::ByteOrder::Big;
        camera.jfif = i % 5 == 0;
        camera.iso = static_cast<uint16_t>(100 + i % 700);
        camera.scanPadding = 100 * 1024 + (static_cast<size_t>(i) * 7919) % (200 * 1024);
        std::string bytes = fixtures::MakeCameraJpeg(camera);
        names.push_back(Format("IMG_%05d.JPG", i));
        std::ofstream out(folder + "/" + names.back(), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write the test files\n");
            return 1;
        }
        totalBytes += bytes.size();
    }
    std::printf("%d camera JPEGs, %.1f MiB, in %s\n", count, totalBytes / 1048576.0,
                folder.c_str());

    const std::string prefix = folder + "/";
    auto readHeads = [&]() {
        std::vector<char> buffer(64 * 1024);
        size_t bytes = 0;
        auto start = Clock::now();
        for (const auto& name : names) {
            InputFile file;
            if (file.Open(prefix + name) != 0) return -1.0;
            bytes += file.Read(buffer.data(), buffer.size());
            file.Close();
        }
        double s = Seconds(start);
        return bytes > 0 ? s : -1.0;
    };
    Settings settings;
    EntryList list;
    for (const auto& name : names) list.Append(name);
    auto captureAll = [&]() {
        EntryCapture capture;
        int ok = 0;
        auto start = Clock::now();
        for (int i = 0; i < count; ++i) {
            if (capture.Capture(list, i, folder, names[i], settings) == kCaptureOk) ++ok;
        }
        double s = Seconds(start);
        return ok == count ? s : -1.0;
    };

    readHeads();  // warm the cache
    double bestRead = 1e9, bestCapture = 1e9;
    for (int round = 0; round < 3; ++round) {
        double r = readHeads();
        double c = captureAll();
        if (r < 0 || c < 0) {
            std::fprintf(stderr, "a file could not be read or captured\n");
            return 1;
        }
        bestRead = std::min(bestRead, r);
        bestCapture = std::min(bestCapture, c);
    }
    std::printf("open + read 64 KiB + close: %8.1f ms  (%.2f us per file)\n", bestRead * 1e3,
                bestRead * 1e6 / count);
    std::printf("entry capture:              %8.1f ms  (%.2f us per file)\n", bestCapture * 1e3,
                bestCapture * 1e6 / count);
    std::printf("capture / read ratio:       %8.2f  (limit 3.00)\n", bestCapture / bestRead);
    std::printf("sample row: %s | %s | %s | %s\n", list.Field(1, COL_MAKER).c_str(),
                list.Field(1, COL_ISOSR).c_str(), list.Field(1, COL_APRTV).c_str(),
                list.Field(1, COL_IMGSZ).c_str());
    return bestCapture <= 3 * bestRead ? 0 : 1;
}
