#!/usr/bin/env bash
# The whole test suite, the one command CI runs (after scripts/install-deps.sh): formatting
# check; a g++ build with -Werror of everything (both programs, every test, the benchmarks),
# every test, and a check of the Debian package made from that build; then a clang build with
# AddressSanitizer + UndefinedBehaviorSanitizer of what the tests run, every test again, and of
# the fuzz targets, each run for a few seconds. Each build makes what its runs use and nothing
# more. The desktop application's widget tests run on Qt's offscreen platform. ccache, when
# installed, speeds up the rebuilds. Fails on the first problem.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
fuzz_seconds=${MIRULANE_FUZZ_SECONDS:-10}
# ccache when it is installed; without it the launcher is cleared, as a tree configured with it
# would otherwise fail to build once it is gone.
launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)")

echo "== clang-format"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests fuzz bench -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror $files

echo "== build (g++, -Werror) and tests"
export QT_QPA_PLATFORM=offscreen
# Optimised, for the warnings that only the optimiser finds, but without debug information: no
# one reads it here (the sanitizer build has it), and it costs a quarter of the compile time.
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DMIRULANE_WERROR=ON -DMIRULANE_GUI=ON \
    -DMIRULANE_BENCH=ON "${launcher[@]}" >/dev/null
cmake --build build/ci -j"$jobs"
ctest --test-dir build/ci --output-on-failure -j"$jobs"

echo "== Debian package"
# A few seconds: the package of what was just built, its Depends found by dpkg-shlibdeps.
rm -f build/ci/mirulane_*.deb
(cd build/ci && cpack -G DEB >/dev/null)
scripts/check-package.sh build/ci/mirulane_*.deb

echo "== sanitizer build (clang, ASan + UBSan) and tests"
# One tree for the sanitized tests and the fuzz targets: they share the core's libraries, which
# alone carry the fuzz targets' coverage instrumentation. The benchmarks are left out.
cmake -S . -B build/ci-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DMIRULANE_WERROR=ON -DMIRULANE_SANITIZE=ON -DMIRULANE_FUZZ=ON -DMIRULANE_BENCH=OFF \
    -DMIRULANE_GUI=ON "${launcher[@]}" >/dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --build build/ci-san -j"$jobs" --target test_programs
ctest --test-dir build/ci-san --output-on-failure -j"$jobs"

echo "== fuzz targets, ${fuzz_seconds}s each"
cmake --build build/ci-san -j"$jobs" --target fuzz_programs
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
