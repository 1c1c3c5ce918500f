#!/usr/bin/env bash
# Renders the designer's formatting toolbars (with the colour selector and
# the line-style panel), the alignment palette and the object inspector
# filled from a text object into docs/screenshots/, at normal scale and at
# twice the scale (files "@2x").
# Usage: scripts/editing-screenshots.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
cmake --build "$build_dir" --target vellum-editing-shots >/dev/null
shots="$build_dir/tools/screenshots/vellum-editing-shots"
out=docs/screenshots
mkdir -p "$out"
export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
xvfb-run -a -s "-screen 0 1600x1200x24" "$shots" "$out"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3200x2400x24" "$shots" "$out" "@2x"
