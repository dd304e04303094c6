#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test.
#   scripts/test.sh            the normal build
#   scripts/test.sh --sanitize the same suite under AddressSanitizer + UBSan (build-asan/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
args=()
if [ "${1:-}" = "--sanitize" ]; then
  export BUILD_DIR=${BUILD_DIR:-$root/build-asan}
  args+=(-DLUMETRA_SANITIZE=ON -DLUMETRA_BUILD_BENCH=OFF)
fi
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build "$root/scripts/build.sh" "${args[@]}"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
