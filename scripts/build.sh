#!/usr/bin/env bash
# Configures and builds Lumetra with Ninja into build/ (or $BUILD_DIR).
# Extra arguments go to the CMake configure step, e.g. -DLUMETRA_SANITIZE=ON.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$build" --parallel "$(nproc)"
