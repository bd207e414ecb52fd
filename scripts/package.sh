#!/usr/bin/env bash
# Builds the Debian package dist/quillon_<version>_<arch>.deb (and removes older ones from
# dist/): a Release build of the desktop program and quillon-cli with Debian's hardening
# flags, installed under /usr and packed by CPack, which takes the package's dependencies on
# libraries from the executables (dpkg-shlibdeps). Install it with
#   sudo apt install ./dist/quillon_<version>_<arch>.deb
# Usage: scripts/package.sh [BUILD_DIR]      (default: build-package)
#        scripts/package.sh --from BUILD_DIR  packs a build made with the same flags
#                                             (the test command's), without building again
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/release-flags.sh
if [ "${1:-}" = "--from" ]; then
  build_dir=${2:?--from takes a build folder}
  cmake --build "$build_dir" -j "$(nproc)"
else
  build_dir=${1:-build-package}
  bash scripts/install-deps.sh
  # Warnings are gated by the test build; a package is not refused over a new one.
  cmake -S . -B "$build_dir" -G Ninja "${release_cmake_args[@]}" \
    -DQUILLON_GUI=ON -DQUILLON_TESTS=OFF -DQUILLON_BENCH=OFF -DQUILLON_SANITIZE=OFF \
    -DQUILLON_WERROR=OFF >/dev/null
  cmake --build "$build_dir" -j "$(nproc)"
fi

rm -f "$build_dir"/quillon_*.deb
if ! (cd "$build_dir" && cpack -G DEB >cpack.log 2>&1); then
  cat "$build_dir/cpack.log"
  echo "package: CPack failed"
  exit 1
fi
mkdir -p dist
rm -f dist/quillon_*.deb
cp "$build_dir"/quillon_*.deb dist/
echo "package: $(ls dist/quillon_*.deb)"
