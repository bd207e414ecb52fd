#!/usr/bin/env bash
# Installs what Quillon and its tests need, builds everything and runs every test: the
# formatting check, the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, a
# fixed smoke run of every fuzz target, and the checks of an install and of the Debian
# package. Any warning, failure, sanitizer report, fuzz finding or packaging error ends the
# script with a non-zero status; the last two lines are CTest's summaries. Two trees:
# the release build (GCC, Debian's hardening flags, warnings fatal) that the package is made
# from, and one clang tree with the sanitizers that builds the suites and the fuzz targets
# (warnings fatal too), so that no code is compiled twice for tests; nothing is built that
# no step runs (the benchmarks are built by scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
# Each step says when it starts, counted from here, so that a slow one shows.
stage() { echo "== $1 ($((SECONDS / 60)) min $((SECONDS % 60)) s)"; }
stage "installing what the build and the tests need"
bash scripts/install-deps.sh --test
export QT_QPA_PLATFORM=offscreen
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
# A hung test fails after five minutes instead of holding the run.
timeout=300

source scripts/release-flags.sh
stage "release build"
bash scripts/build.sh build-test "${release_cmake_args[@]}" -DQUILLON_TESTS=OFF -DQUILLON_BENCH=OFF

bash scripts/check-format.sh

# The suites under ASan and UBSan, every report fatal. Chromium inside Qt WebEngine is not
# instrumented and trips the leak and delete-size checks by itself, so the Qt suites (label
# "qt") run without those two; every other check stays on for them. clang builds this tree
# at -O1 in a third of GCC's time with the sanitizers.
stage "sanitizer build"
# The same tree holds the fuzz targets, with the fuzzer's coverage throughout.
bash scripts/build.sh build-asan -DQUILLON_SANITIZE=ON -DQUILLON_FUZZ=ON -DQUILLON_GUI=ON \
  -DQUILLON_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
asan=halt_on_error=1:abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Leaks of Debian's libgumbo itself are not ours (see the file).
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"
stage "the whole suite, under the sanitizers"
ASAN_OPTIONS=$asan:detect_leaks=1 \
  ctest --test-dir build-asan -LE qt --output-on-failure --timeout "$timeout" -j "$(nproc)" |
  tee build-asan/core-suite.log
ASAN_OPTIONS=$asan:detect_leaks=0:new_delete_type_mismatch=0 \
  ctest --test-dir build-asan -L qt --output-on-failure --timeout "$timeout" -j "$(nproc)" |
  tee build-asan/qt-suite.log
summary="core suites: $(grep -E "tests passed" build-asan/core-suite.log | tail -1)
Qt suites: $(grep -E "tests passed" build-asan/qt-suite.log | tail -1)"

# Fuzz smoke: a fixed seed and count from the committed corpus (the same inputs on one
# machine; the order a folder lists the corpus in may differ on another, and so may the
# inputs); longer runs (scripts/fuzz.sh SECONDS) are for hunting.
stage "fuzz smoke"
QUILLON_FUZZ_BUILD_DIR=build-asan bash scripts/fuzz.sh --runs "${QUILLON_FUZZ_RUNS:-20000}"

# Packaging: the test build installed into a scratch folder, then the Debian package packed
# from the same build and unpacked; each tree checked (files, desktop entry, AppStream
# metadata, manual pages), and the package passed through lintian, whose errors are fatal.
stage "install and package checks"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
DESTDIR="$scratch/install" cmake --install build-test --prefix /usr >/dev/null
bash scripts/check-install.sh "$scratch/install/usr"
bash scripts/package.sh --from build-test
package=$(ls dist/quillon_*.deb)
dpkg-deb -x "$package" "$scratch/package"
bash scripts/check-install.sh "$scratch/package/usr"
lintian --fail-on error "$package"
stage "done"

echo "$summary"
