#!/usr/bin/env bash
# Builds every libFuzzer target with clang, ASan and UBSan in build-fuzz and
# runs each on its committed corpus for SECONDS (default 300), one after
# another. Findings are kept in build-fuzz/findings/<target>/; the last lines
# list the executions of each target and whether it found anything.
# Usage: scripts/fuzz-long.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
targets=(metafile template script prepared expression organizer picture build)
[ -f build-fuzz/CMakeCache.txt ] ||
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVELLUM_FUZZ=ON -DVELLUM_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/%/_fuzzer}" >/dev/null
summary=()
status=0
for name in "${targets[@]}"; do
  log="build-fuzz/findings/$name.log"
  mkdir -p "build-fuzz/findings/$name"
  echo "== ${name}_fuzzer for $seconds s" >&2
  result=ok
  FUZZ_SEED=0 FUZZ_ARTIFACTS="build-fuzz/findings/$name" scripts/run-fuzzer.sh \
    "build-fuzz/fuzz/${name}_fuzzer" "fuzz/corpus/$name" "$seconds" >"$log" 2>&1 || result=FINDING
  [ "$result" = ok ] || status=1
  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  summary+=("$(printf '%-12s %12s executions  %s' "$name" "${execs:-?}" "$result")")
done
printf '%s\n' "${summary[@]}"
exit "$status"
