#include "ui/start_options.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/version.h"

namespace mirulane::ui {
namespace {

constexpr const char* kHelp =
    "使い方: mirulane [--help] [--version] [LIST.txt]\n"
    "写真のフォルダから HTML アルバム（index.html、list.html、個別ページ）を作成するウィンドウを"
    "開きます。\n"
    "\n"
    "引数:\n"
    "  LIST.txt   開くアルバムリストファイル（省略すると新しいアルバムで始まります）\n"
    "\n"
    "オプション:\n"
    "  --help     この使い方を表示します\n"
    "  --version  バージョンを表示します\n"
    "\n"
    "ウィンドウを開くには画面（DISPLAY または WAYLAND_DISPLAY）が必要です。"
    "画面のない環境では mirulane-cli を使ってください（mirulane-cli --help）。\n";

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A platform Qt can start without a display server: offscreen, minimal, linuxfb, vnc, the
// EGL ones. Only the desktop's own two need one.
bool NeedsDisplayServer(std::string_view platform) {
    platform = platform.substr(0, platform.find(':'));  // "xcb:option=..." names xcb
    return platform.empty() || platform == "xcb" || platform.substr(0, 7) == "wayland";
}

// Whether Qt can open a window here. QT_QPA_PLATFORM may name several platforms to try in
// turn ("wayland;xcb"); one that needs no display server is enough.
bool CanOpenWindow(int argc, char** argv) {
    // A platform named on the command line (-platform offscreen) is Qt's to try.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "-platform") return true;
    }
    if (!Env("DISPLAY").empty() || !Env("WAYLAND_DISPLAY").empty()) return true;
    std::string platforms = Env("QT_QPA_PLATFORM");
    size_t start = 0;
    while (start <= platforms.size()) {
        size_t end = platforms.find(';', start);
        if (end == std::string::npos) end = platforms.size();
        if (!NeedsDisplayServer(std::string_view(platforms).substr(start, end - start))) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

std::optional<int> AnswerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("mirulane %.*s\n", static_cast<int>(ProgramVersion().size()),
                        ProgramVersion().data());
            return 0;
        }
    }
    if (!CanOpenWindow(argc, argv)) {
        std::fputs(
            "mirulane: 画面がないためウィンドウを開けません（DISPLAY も WAYLAND_DISPLAY も"
            "設定されていません）。画面のない環境では mirulane-cli を使ってください\n",
            stderr);
        return 1;
    }
    return std::nullopt;
}

}  // namespace mirulane::ui
