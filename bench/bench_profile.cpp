// Profile figures: reading, looking up every setting in, updating and writing back a profile
// of n keys (a long-used profile that other programs or old versions filled), for n and 2n so
// that the growth can be seen.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "album/settings.h"
#include "platform/fs.h"
#include "platform/profile.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// n keys spread over a few sections, the program's own section among them.
std::string ProfileText(int n) {
    std::string text;
    const char* sections[] = {"Environment", "Recent", "Other"};
    int perSection = n / 3 + 1;
    for (int s = 0, k = 0; s < 3; ++s) {
        text += std::string("[") + sections[s] + "]\r\n";
        for (int i = 0; i < perSection && k < n; ++i, ++k) {
            text += "K" + std::to_string(k) + "=" + std::to_string(k % 100) + "\r\n";
        }
    }
    return text;
}

void Run(int n, const std::string& folder) {
    std::string path = folder + "/mirulane.ini";
    std::string text = ProfileText(n);
    mirulane::WriteSystemFileReplacing(path, text);

    auto t0 = Clock::now();
    mirulane::IniProfile profile(path);
    auto t1 = Clock::now();
    mirulane::Settings settings;
    settings.Load(profile);
    auto t2 = Clock::now();
    settings.Save(profile);
    int saved = profile.Save();
    auto t3 = Clock::now();

    std::printf(
        "%6d keys (%zu bytes): read %.1f ms, settings load %.1f ms, "
        "settings save + write %.1f ms%s\n",
        n, text.size(), Ms(t0, t1), Ms(t1, t2), Ms(t2, t3), saved == 0 ? "" : " (write failed)");
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = (std::filesystem::temp_directory_path() / "mrl-bench-profile").string();
    std::filesystem::create_directories(folder);
    int n = argc > 1 ? std::atoi(argv[1]) : 40000;
    for (int k : {n / 2, n}) Run(k, folder);
    std::filesystem::remove_all(folder);
    return 0;
}
