#!/usr/bin/env bash
# Installs Quillon's build, run and test dependencies from Debian's packages.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libpcre2-dev libcurl4-openssl-dev libxlsxwriter-dev libicu-dev zlib1g-dev libsqlite3-dev
  nlohmann-json3-dev libgumbo-dev libphonenumber-dev libexpat1-dev
  qt6-base-dev qt6-webengine-dev qt6-qpa-plugins libgl-dev
  fonts-wine fonts-dejavu-core
  librsvg2-bin dpkg-dev
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  xvfb xauth python3 python3-openpyxl python3-xlrd python3-yaml
  clang clang-format libclang-rt-14-dev libfuzzer-14-dev
  desktop-file-utils appstream lintian man-db
)

if [ "${1:-}" = "--test" ]; then
  packages+=("${test_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
# Through env, since sudo drops the caller's environment.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
