#!/usr/bin/env bash
# Builds in release mode (build-bench/) and runs every benchmark of bench/.
#   scripts/bench.sh [ARGS...]  five repetitions of each, ARGS go to every benchmark program
#   scripts/bench.sh --smoke    one short pass of each, to show they build and run (CI)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build=${BUILD_DIR:-$root/build-bench}
run_args=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
smoke=false
if [ "${1:-}" = "--smoke" ]; then
  smoke=true
  shift
  run_args=(--benchmark_min_time=0.01)
fi
BUILD_DIR=$build BUILD_TYPE=Release "$root/scripts/build.sh" -DLUMETRA_BUILD_TESTS=OFF
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  name=$(basename "$b")
  # The album benchmark first generates 5,000 full-HD snapshots, minutes of work.
  if $smoke && [ "$name" = bench_album_open ]; then
    echo "== $name: built, not run in a smoke pass"
    continue
  fi
  echo "== $name"
  "$b" "${run_args[@]}" "$@"
done
