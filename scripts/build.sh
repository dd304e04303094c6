#!/usr/bin/env bash
# Configures and builds Lumetra with Ninja into build/ (or $BUILD_DIR).
# Extra arguments go to the CMake configure step, e.g. -DLUMETRA_SANITIZE=ON.
# BUILD_TARGETS (space-separated) builds only those targets instead of everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
# CI keeps warnings as errors whatever an earlier configuration chose.
if [ "${CI:-}" = true ]; then set -- -DLUMETRA_WERROR=ON "$@"; fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@"
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
