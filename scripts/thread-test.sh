#!/usr/bin/env bash
# Builds the engine and the test of engine instances on several threads
# with ThreadSanitizer (in build-tsan, only what that test needs) and runs
# it: four threads build the sample templates at once, each in an engine
# instance of its own, and any data the instances still share is reported.
# The packages come from scripts/setup.sh, which ./test runs first.
set -euo pipefail
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-tsan -G Ninja -DVELLUM_TSAN=ON -DVELLUM_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-tsan --target vellum_parallel_build_tests
export QT_QPA_PLATFORM=offscreen
export TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp halt_on_error=1 ${TSAN_OPTIONS:-}"
build-tsan/tests/tools/vellum_parallel_build_tests
