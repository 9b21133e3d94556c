#!/usr/bin/env bash
# Installs every Debian 12 package Mirulane needs to build and test (run as root).
set -euo pipefail

packages=(
    g++ cmake ninja-build pkgconf
    libgtest-dev libgmock-dev
    clang libclang-rt-14-dev clang-format
    desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
