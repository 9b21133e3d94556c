#!/usr/bin/env bash
# The whole test suite: formatting check, a warnings-as-errors build with every test, then an
# AddressSanitizer + UndefinedBehaviorSanitizer build with every test and a short run of each
# fuzz target. Both builds include the desktop application; its widget tests run on Qt's
# offscreen platform. Fails on the first problem.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
fuzz_seconds=${MIRULANE_FUZZ_SECONDS:-10}

echo "== clang-format"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests fuzz bench -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror $files

echo "== build (g++, -Werror) and tests"
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRULANE_WERROR=ON \
    -DMIRULANE_GUI=ON >/dev/null
cmake --build build/ci -j"$jobs"
ctest --test-dir build/ci --output-on-failure -j"$jobs"

echo "== sanitizer build (clang, ASan + UBSan, fuzz targets) and tests"
cmake -S . -B build/ci-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DMIRULANE_WERROR=ON -DMIRULANE_SANITIZE=ON -DMIRULANE_FUZZ=ON -DMIRULANE_BENCH=OFF \
    -DMIRULANE_GUI=ON >/dev/null
cmake --build build/ci-san -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/ci-san --output-on-failure -j"$jobs"

echo "== fuzz targets, ${fuzz_seconds}s each"
for target in build/ci-san/fuzz/fuzz_*; do
    name=$(basename "$target")
    [ "$name" = fuzz_seeds ] && continue
    [ -x "$target" ] || continue
    corpus=build/ci-san/corpus/$name
    rm -rf "$corpus"
    build/ci-san/fuzz/fuzz_seeds "$name" "$corpus"
    echo "-- $name"
    "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=0 "$corpus" \
        >"build/ci-san/$name.log" 2>&1 || { tail -n 60 "build/ci-san/$name.log"; exit 1; }
done
echo "all checks passed"
