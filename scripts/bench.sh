#!/usr/bin/env bash
# Builds in release mode and runs every benchmark of bench/ (build-bench/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build=${BUILD_DIR:-$root/build-bench}
BUILD_DIR=$build BUILD_TYPE=Release "$root/scripts/build.sh" -DLUMETRA_BUILD_TESTS=OFF
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
done
