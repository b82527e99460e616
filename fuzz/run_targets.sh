#!/usr/bin/env bash
# fuzz/run_targets.sh BUILD_DIR SECONDS
# Runs every target listed in BUILD_DIR/fuzz_targets.txt for SECONDS, at most
# FUZZ_JOBS (default 2) at once, on its seeds (fuzz/corpus/<target>) and what
# earlier runs found (BUILD_DIR/corpus/<target>). Prints each target's
# executions; a finding prints the input's bytes and makes the exit status 1.
set -euo pipefail
build=$1
seconds=$2
jobs=${FUZZ_JOBS:-2}
seeds=$(cd "$(dirname "$0")" && pwd)/corpus
mapfile -t targets < "$build/fuzz_targets.txt"
mkdir -p "$build/findings" "$build/logs"

run_one() {
  local target=$1
  mkdir -p "$build/corpus/$target" "$seeds/$target"
  "$build/$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2560 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
    "$build/corpus/$target" "$seeds/$target" > "$build/logs/$target.log" 2>&1 || true
}

rm -f "$build"/findings/*
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_one "$target" &
done
wait

status=0
for target in "${targets[@]}"; do
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/logs/$target.log" | tail -1)
  found=$(find "$build/findings" -name "$target-*" -type f | sort)
  if [ -n "$found" ]; then
    status=1
    echo "fuzz: $target: FINDING after ${runs:-?} executions (log: $build/logs/$target.log)"
    grep -E "contract broken|ERROR: |runtime error|SUMMARY" "$build/logs/$target.log" | head -5 || true
    for file in $found; do
      echo "  input $file ($(stat -c %s "$file") bytes):"
      od -A x -t x1z -v "$file" | head -64
    done
  elif [ -z "$runs" ]; then
    status=1
    echo "fuzz: $target: did not run (log: $build/logs/$target.log)"
    tail -5 "$build/logs/$target.log"
  else
    echo "fuzz: $target: $runs executions, no finding"
  fi
done
exit $status
