// Album list file and entry look-up figures: reading and writing albums of n entries beside
// plain file I/O of the same bytes, and a refresh-style pass of n look-ups over n entries, for
// n and 2n so that the growth can be seen.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "album/album_file.h"
#include "platform/fs.h"
#include "support/scripted_interaction.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

mirulane::Album MakeAlbum(int n) {
    mirulane::Album album;
    for (int i = 0; i < n; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%05d.JPG", i);
        int e = album.entries.Append(name);
        for (int c = 1; c < mirulane::kColumnCount; ++c) {
            album.entries.SetField(e, c, std::string(name) + " field text " + std::to_string(c));
        }
    }
    return album;
}

void Run(int n, const std::string& folder) {
    mirulane::Album album = MakeAlbum(n);
    std::string path = folder + "/album.txt";
    std::string copy = folder + "/copy.txt";

    auto t0 = Clock::now();
    (void)mirulane::WriteAlbumFile(album, path);
    auto t1 = Clock::now();
    mirulane::Album back;
    int read = mirulane::ReadAlbumFile(back, path, nullptr).value_or({.entries = -1}).entries;
    auto t2 = Clock::now();
    std::string bytes;
    mirulane::ReadFileBytes(path, bytes);
    mirulane::WriteFileReplacing(copy, bytes);
    auto t3 = Clock::now();

    // Refresh-style pass: every name looked up once, the way a folder refresh matches files.
    int found = 0;
    auto t4 = Clock::now();
    for (int i = 0; i < n; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "img_%05d.jpg", i);
        found += back.entries.Find(name) >= 0;
    }
    auto t5 = Clock::now();

    std::printf(
        "%6d entries (%zu bytes): write %.1f ms + read %.1f ms = %.1f ms; "
        "plain read+write of the same bytes %.1f ms; %d finds %.2f ms (%d found)\n",
        n, bytes.size(), Ms(t0, t1), Ms(t1, t2), Ms(t0, t2), Ms(t2, t3), n, Ms(t4, t5), found);
    if (read != n) std::printf("  read back %d entries, expected %d\n", read, n);
}

}  // namespace

int main() {
    std::string folder = (std::filesystem::temp_directory_path() / "mrl-bench-album").string();
    std::filesystem::create_directories(folder);
    for (int n : {10000, 20000}) Run(n, folder);
    std::filesystem::remove_all(folder);
    return 0;
}
