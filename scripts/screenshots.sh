#!/usr/bin/env bash
# Renders the Print Preview program's window (on the sample tasks, and on
# the contacts at page width), the preview window (at 100 %, at page width,
# two pages side by side, with a search hit), the progress window and the
# designer window (on the template and on a dialog page) on the sample data
# into
# docs/screenshots/, at normal and at double scale, on a virtual X display.
# Usage: scripts/screenshots.sh [BUILD_DIR] [TEMPLATE]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
cmake --build "$build_dir" --target vellum-preview-screenshots quillet-print-screenshots \
  vellum-designer-shots sample-data sample-templates
template="${2:-$build_dir/app/Reports/TaskList/Task List.vlf}"
shots="$build_dir/tools/screenshots/vellum-preview-screenshots"
out=docs/screenshots
mkdir -p "$out"
unset QT_QPA_PLATFORM
# Windows are placed, stacked and framed by a window manager, as users see
# them: each program runs on its virtual display with openbox.
with_wm() {
  local screen="$1"
  shift
  xvfb-run -a -s "-screen 0 $screen" bash -c 'openbox >/dev/null 2>&1 & sleep 1; "$@"' _ "$@"
}
# the display libraries keep some memory to the end; that is no leak of ours
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
with_wm 1600x1200x24 "$shots" "$out" "" "$build_dir/samples/organizer" "$template"
QT_SCALE_FACTOR=2 with_wm 2600x2000x24 \
  "$shots" "$out" "@2x" "$build_dir/samples/organizer" "$template"
program="$build_dir/tools/screenshots/quillet-print-screenshots"
with_wm 1600x1200x24 "$program" "$out" "" "$build_dir/samples/organizer" \
  "$build_dir/app"
QT_SCALE_FACTOR=2 with_wm 2600x2000x24 \
  "$program" "$out" "@2x" "$build_dir/samples/organizer" "$build_dir/app"
designer="$build_dir/tools/screenshots/vellum-designer-shots"
with_wm 1600x1200x24 "$designer" "$out" "" "$template"
QT_SCALE_FACTOR=2 with_wm 2600x2000x24 "$designer" "$out" "@2x" "$template"
