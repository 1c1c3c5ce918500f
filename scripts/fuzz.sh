#!/usr/bin/env bash
# Builds one libFuzzer target with clang, ASan and UBSan in build-fuzz and
# runs it on its committed corpus for the given number of seconds.
# Usage: scripts/fuzz.sh TARGET_fuzzer [SECONDS] (targets: fuzz/CMakeLists.txt)
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}"
seconds="${2:-60}"
corpus="fuzz/corpus/${target%_fuzzer}"
if ! command -v clang++ >/dev/null; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang >/dev/null
fi
[ -f build-fuzz/CMakeCache.txt ] ||
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVELLUM_FUZZ=ON -DVELLUM_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j2 --target "$target" >/dev/null
scripts/run-fuzzer.sh "build-fuzz/fuzz/$target" "$corpus" "$seconds"
