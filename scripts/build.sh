#!/usr/bin/env bash
# Configures and builds Quillon into a build folder (default: build, Release).
#   scripts/build.sh [BUILD_DIR] [extra CMake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
