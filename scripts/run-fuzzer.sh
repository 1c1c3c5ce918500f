#!/usr/bin/env bash
# Runs one built libFuzzer target on its committed corpus for a number of
# seconds; new inputs go to a scratch folder, so the corpus stays as committed.
# Usage: scripts/run-fuzzer.sh FUZZER_BINARY CORPUS_DIR SECONDS
set -euo pipefail
fuzzer="$1" corpus="$2" seconds="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# fontconfig's caches look like leaks to LeakSanitizer.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export QT_QPA_PLATFORM=offscreen
exec "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work" "$corpus"
