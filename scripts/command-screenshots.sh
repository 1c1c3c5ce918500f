#!/usr/bin/env bash
# Renders the dialogs of the designer's file, page and option commands into
# docs/screenshots/, at normal scale and at twice the scale (files "@2x").
# Usage: scripts/command-screenshots.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
cmake --build "$build_dir" --target vellum-command-dialog-shots >/dev/null
shots="$build_dir/tools/screenshots/vellum-command-dialog-shots"
out=docs/screenshots
mkdir -p "$out"
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1600x1200x24" "$shots" "$out"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3200x2400x24" "$shots" "$out" "@2x"
