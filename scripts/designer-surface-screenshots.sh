#!/usr/bin/env bash
# Renders the designer's page surface on the "Task List" sample template
# (a text object selected, a rubber band being dragged) and on a dialog page
# with its controls into docs/screenshots/, at normal scale and at twice the
# scale (files "@2x").
# Usage: scripts/designer-surface-screenshots.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
cmake --build "$build_dir" --target vellum-designer-surface-shots sample-templates >/dev/null
shots="$build_dir/tools/screenshots/vellum-designer-surface-shots"
template="$build_dir/app/Reports/TaskList/Task List.vlf"
out=docs/screenshots
mkdir -p "$out"
export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
xvfb-run -a -s "-screen 0 1600x1200x24" "$shots" "$out" "$template"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3200x2400x24" "$shots" "$out" "$template" "@2x"
