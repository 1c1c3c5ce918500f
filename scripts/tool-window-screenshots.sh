#!/usr/bin/env bash
# Renders the designer's tool windows (object inspector, data dictionary
# editor, variables list editor, database fields window) into
# docs/screenshots/, at normal scale and at twice the scale (files "@2x").
# Usage: scripts/tool-window-screenshots.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
cmake --build "$build_dir" --target vellum-tool-window-shots >/dev/null
shots="$build_dir/tools/screenshots/vellum-tool-window-shots"
out=docs/screenshots
mkdir -p "$out"
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1600x1200x24" "$shots" "$out"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3200x2400x24" "$shots" "$out" "@2x"
