#!/usr/bin/env bash
# Installs the Debian 12 packages Mirulane needs (run as root).
#   scripts/install-deps.sh         everything to build, test and run both programs
#                                   (scripts/test.sh)
#   scripts/install-deps.sh --cli   only what building mirulane-cli needs (scripts/demo.sh)
#   scripts/install-deps.sh --package   what building the Debian package needs
#                                       (scripts/package.sh)
set -euo pipefail

# Compiler and build tools, libvips (found through pkg-config), which makes the thumbnails of
# pictures without an embedded one, and FFmpeg's libraries, which read movies for their posters
# and make the H.264 copies browsers play (libavcodec59 brings the x264 encoder): every build.
packages=(g++ cmake ninja-build pkgconf libvips-dev
          libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev)
# dpkg-shlibdeps (in dpkg-dev) finds the package's Depends in the programs' libraries; CPack
# tells the programs by file's answer.
packaging=(dpkg-dev file)
if [ "${1:-}" = --package ]; then
    packages+=(qt6-base-dev libqt6svg6 "${packaging[@]}")
elif [ "${1:-}" != --cli ]; then
    packages+=(
        # The tests (GoogleTest only: Debian's GTest CMake package takes the GMock targets
        # only when they are installed, and no test uses them).
        libgtest-dev
        # The sanitizer and fuzz build of scripts/test.sh, and its formatting check.
        clang libclang-rt-14-dev clang-format
        # llvm-symbolizer: file and line numbers in sanitizer reports.
        llvm
        # Validates the desktop entry (a test of the test command).
        desktop-file-utils
        # The desktop application: Qt 6 Widgets (its widget tests run on the offscreen
        # platform, without an X server), the SVG plugin that draws its icons, Qt's own
        # dialogs in Japanese, and a font with Japanese glyphs.
        qt6-base-dev libqt6svg6 qt6-translations-l10n fonts-noto-cjk
        # The package built and checked by the test command.
        "${packaging[@]}"
    )
fi

"$(dirname "$0")/apt-install.sh" "${packages[@]}"
