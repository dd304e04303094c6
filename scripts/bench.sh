#!/usr/bin/env bash
# Builds in release mode (build-bench/) and runs every benchmark of bench/.
#   scripts/bench.sh [ARGS...]  five repetitions of each, ARGS go to every benchmark program;
#                               the soak runs for its default 600 s
#   scripts/bench.sh --smoke    one short pass of each, to show they build and run, and the
#                               soak for 120 s (CI)
#   scripts/bench.sh --compare [REPETITIONS] [--album]
#                               only the goal figures (the USB adjustment chain against
#                               decoding, stream against bare decoding, snapshot against its
#                               encoding, the 1920 x 1080 window's redraw, the whole
#                               program's CPU), each the median of REPETITIONS runs (default
#                               5), printed as one table: figure, value, goal, met
#                               (bench/README.md); with --album (or LUMETRA_BENCH_ALBUM=1)
#                               also the album of 100,000 snapshots, slow to prepare
# The soak is a plain program (bench_soak [SECONDS]) that fails on a movie that does not
# play or memory that keeps growing; the others are Google Benchmark programs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build=${BUILD_DIR:-$root/build-bench}
run_args=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
soak_seconds=600
smoke=false
if [ "${1:-}" = "--smoke" ]; then
  smoke=true
  shift
  run_args=(--benchmark_min_time=0.01)
  soak_seconds=120
  # One second of the camera's pictures for the whole-program measurement.
  export LUMETRA_BENCH_PROGRAM_SECONDS=1
fi
compare=false
album=${LUMETRA_BENCH_ALBUM:-0}
if [ "${1:-}" = "--compare" ]; then
  compare=true
  shift
  repetitions=5
  for arg in "$@"; do
    case $arg in
      --album) album=1 ;;
      *) repetitions=$arg ;;
    esac
  done
  run_args=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true)
fi
# Its own folder holds the benchmarks only; a folder named by BUILD_DIR keeps its other
# settings (CI builds its tests and the benchmarks in build/, in release mode, at once).
config=(-DLUMETRA_BUILD_BENCH=ON)
if [ -z "${BUILD_DIR:-}" ]; then config+=(-DLUMETRA_BUILD_TESTS=OFF); fi
BUILD_DIR=$build BUILD_TYPE=Release "$root/scripts/build.sh" "${config[@]}"
if $compare; then
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
  run() {
    local name=$1 filter=$2
    echo "== $name ($filter)"
    "$build/bench/$name" "${run_args[@]}" --benchmark_filter="$filter" \
      --benchmark_out="$out/$name.json" --benchmark_out_format=json >/dev/null
  }
  run bench_usb_frames 'BM_(FullChain|MjpegToBgra)'
  run bench_stream_receive 'BM_StreamReceive'
  run bench_snapshot 'BM_Snapshot(Total|Encode)'
  run bench_redraw 'BM_WindowRedraw/1470/914/1/1'
  run bench_program_cpu 'BM_Program'
  album_flag=()
  if [ "$album" = 1 ]; then
    LUMETRA_BENCH_ALBUM_SIZE=100000 run bench_album_open 'BM_'
    album_flag=(--album)
  fi
  python3 "$root/bench/compare.py" "${album_flag[@]}" "$out"/*.json
  exit 0
fi
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  name=$(basename "$b")
  echo "== $name"
  if [ "$name" = bench_soak ]; then
    "$b" "$soak_seconds"
  elif $smoke && [ "$name" = bench_album_open ]; then
    # An album of 1,000 snapshots instead of 100,000: scrolling decodes every one.
    LUMETRA_BENCH_ALBUM_SIZE=1000 "$b" "${run_args[@]}" "$@"
  else
    "$b" "${run_args[@]}" "$@"
  fi
done
