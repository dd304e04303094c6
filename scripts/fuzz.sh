#!/usr/bin/env bash
# Builds every fuzz target of fuzz/ with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for the given number
# of seconds (default 30), as many at once as there are cores, starting from the
# committed seeds in fuzz/corpus/<target>.
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

# Runs one target from its seeds; prints what it found and fails when it broke.
fuzz_one() {
  local seeds=$1 target corpus log runs
  target="$(basename "$seeds")"
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  log="$build/$target.log"
  if ! "$build/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/crash-$target-" "$corpus" "$seeds" > "$log" 2>&1; then
    { echo "fuzz: $target FAILED, see $log"; tail -n 30 "$log"; } >&2
    return 1
  fi
  runs="$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')"
  echo "fuzz: $target ran ${runs:-?} inputs in ${seconds}s"
}

# Each target runs on one core: as many run at once as there are cores.
status=0
running=0
for seeds in "$root"/fuzz/corpus/*/; do
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  fuzz_one "$seeds" &
  running=$((running + 1))
done
for ((; running > 0; running--)); do wait -n || status=1; done
exit "$status"
