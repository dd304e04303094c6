#!/usr/bin/env bash
# Builds every fuzz target of fuzz/ with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for the given number
# of seconds (default 30), starting from the committed seeds in fuzz/corpus/<target>.
# Inputs found on the way go to build-fuzz/corpus/<target>; the seeds stay as they
# are. A crash or a broken property stops the run with a non-zero status and
# leaves the input as build-fuzz/crash-<target>-*.
#
#   scripts/fuzz.sh          # 30 s per target
#   scripts/fuzz.sh 600      # 10 min per target
set -euo pipefail

seconds="${1:-30}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$(nproc)"

status=0
for seeds in "$root"/fuzz/corpus/*/; do
  target="$(basename "$seeds")"
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  log="$build/$target.log"
  echo "fuzz: $target for ${seconds}s"
  if ! "$build/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/crash-$target-" "$corpus" "$seeds" > "$log" 2>&1; then
    echo "fuzz: $target FAILED, see $log" >&2
    tail -n 30 "$log" >&2
    status=1
    continue
  fi
  runs="$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')"
  echo "fuzz: $target ran ${runs:-?} inputs"
done
exit "$status"
