#!/usr/bin/env bash
# Runs one built libFuzzer target on its committed corpus for a number of
# seconds; new inputs go to a scratch folder, so the corpus stays as committed.
# A dictionary named after the corpus (fuzz/<name>.dict) is used when there is
# one. Findings go to $FUZZ_ARTIFACTS when set, else they are only reported.
# The suite runs a fixed count of inputs from a fixed seed, so that every
# machine explores the same inputs and a failure can be repeated; FUZZ_SEED=0
# lets libFuzzer choose a seed, as the long runs do.
# Usage: scripts/run-fuzzer.sh FUZZER_BINARY CORPUS_DIR SECONDS [RUNS]
set -euo pipefail
fuzzer="$1" corpus="$2" seconds="$3" runs="${4:-}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
artifacts="${FUZZ_ARTIFACTS:-$work}"
mkdir -p "$artifacts"
options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1
  -artifact_prefix="$artifacts/" -seed="${FUZZ_SEED:-1}")
dict="$(dirname "$corpus")/../$(basename "$corpus").dict"
[ -f "$dict" ] && options+=(-dict="$dict")
[ -n "$runs" ] && options+=(-runs="$runs")
# fontconfig's caches look like leaks to LeakSanitizer.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export QT_QPA_PLATFORM=offscreen
"$fuzzer" "${options[@]}" "$work" "$corpus"
