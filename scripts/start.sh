#!/usr/bin/env bash
# Installs what Quillon needs, builds it and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DQUILLON_TESTS=OFF -DQUILLON_BENCH=OFF
if [ -x build/src/quillon ]; then
  exec build/src/quillon "$@"
fi
exec build/src/quillon-cli --help
