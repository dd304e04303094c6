#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test.
#   scripts/test.sh            the release build (build/), the benchmarks built too
#   scripts/test.sh --sanitize the same suite under AddressSanitizer + UBSan (build-asan/)
#   scripts/test.sh --tsan     the threaded suites (camera, storage, capture) under
#                              ThreadSanitizer (build-tsan/); only their test programs are built
# Further arguments go to the CMake configure step, e.g. -DLUMETRA_BUILD_BENCH=ON.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=
case "${1:-}" in
  --sanitize | --tsan)
    mode=$1
    shift
    ;;
  "" | -D*) ;;
  *)
    echo "usage: $0 [--sanitize | --tsan] [-DOPTION=VALUE...]" >&2
    exit 2
    ;;
esac
"$root/scripts/setup.sh"
args=()
select=()
case "$mode" in
  "")
    # Release, with the benchmarks built beside the tests (warnings are errors in both);
    # BUILD_DIR=build scripts/bench.sh runs them without compiling anything again.
    export BUILD_TYPE=${BUILD_TYPE:-Release}
    args+=(-DLUMETRA_BUILD_TESTS=ON -DLUMETRA_BUILD_BENCH=ON)
    ;;
  --sanitize)
    export BUILD_DIR=${BUILD_DIR:-$root/build-asan}
    args+=(-DLUMETRA_SANITIZE=ON -DLUMETRA_BUILD_TESTS=ON -DLUMETRA_BUILD_BENCH=OFF)
    ;;
  --tsan)
    export BUILD_DIR=${BUILD_DIR:-$root/build-tsan}
    export BUILD_TARGETS="tests_camera tests_storage tests_capture"
    # A report makes the program exit with a failure; every report of a run is shown.
    # Races inside the simulated camera's third-party HTTP library are suppressed.
    export TSAN_OPTIONS="${TSAN_OPTIONS:-second_deadlock_stack=1} suppressions=$root/tests/tsan.supp"
    args+=(-DLUMETRA_TSAN=ON -DLUMETRA_BUILD_TESTS=ON -DLUMETRA_BUILD_BENCH=OFF)
    select+=(--label-regex '^(camera|storage|capture)$')
    ;;
esac
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build "$root/scripts/build.sh" "${args[@]}" "$@"
cd "$build"
# The tests are built whatever the folder was configured for before (scripts/run.sh
# turns them off); a run that finds no test fails instead of passing.
ctest --no-tests=error --output-on-failure --parallel "$(nproc)" --timeout 300 "${select[@]}"
