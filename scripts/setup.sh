#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with (only the
# missing ones), then configures and builds the tree given as $1 (default
# "build") with any further CMake arguments. Quiet and quick when nothing
# changed.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6svg6 libgl-dev
  libjpeg-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-noto-core fonts-noto-cjk xvfb xauth poppler-utils openbox
  cups printer-driver-cups-pdf
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

build_dir="${1:-build}"
shift || true
# Configured every time, so that changed options take effect; CMake rewrites
# the build files only when something changed.
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
cmake --build "$build_dir"
