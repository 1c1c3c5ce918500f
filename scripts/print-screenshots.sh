#!/usr/bin/env bash
# Renders the print dialog into docs/screenshots/, at normal and at double
# scale, on a virtual X display. Usage:
#   scripts/print-screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
cmake --build "$build_dir" --target vellum-print-dialog-shots
shots="$build_dir/tools/screenshots/vellum-print-dialog-shots"
out=docs/screenshots
mkdir -p "$out"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1600x1200x24" "$shots" "$out"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2400x2000x24" "$shots" "$out" "@2x"
