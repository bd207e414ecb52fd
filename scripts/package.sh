#!/usr/bin/env bash
# Builds the Debian package dist/quillon_<version>_<arch>.deb (and removes older ones from
# dist/): a Release build of the desktop program and quillon-cli with Debian's hardening
# flags, installed under /usr and packed by CPack, which takes the package's dependencies on
# libraries from the executables (dpkg-shlibdeps). Install it with
#   sudo apt install ./dist/quillon_<version>_<arch>.deb
# Usage: scripts/package.sh [BUILD_DIR]      (default: build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-package}
bash scripts/install-deps.sh

# Every hardening Debian offers (bindnow too). Warnings are gated by the test build; a
# package is not refused over a new one.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUILLON_GUI=ON -DQUILLON_TESTS=OFF -DQUILLON_BENCH=OFF -DQUILLON_SANITIZE=OFF \
  -DQUILLON_WERROR=OFF \
  -DCMAKE_C_FLAGS="$cppflags $(dpkg-buildflags --get CFLAGS)" \
  -DCMAKE_CXX_FLAGS="$cppflags $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"

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
