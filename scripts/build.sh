#!/usr/bin/env bash
# Configures and builds Lumetra with Ninja into build/ (or $BUILD_DIR).
# Extra arguments go to the CMake configure step, e.g. -DLUMETRA_SANITIZE=ON.
# BUILD_TARGETS (space-separated) builds only those targets instead of everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
# CI keeps warnings as errors whatever an earlier configuration chose.
if [ "${CI:-}" = true ]; then set -- -DLUMETRA_WERROR=ON "$@"; fi
# Compiler results are cached where ccache is installed: paths are taken relative to the
# checkout, so another clone or worktree of the project reuses what this one compiled.
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  set -- -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@"
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
