#!/usr/bin/env bash
# Sets up the machine, builds, and starts Lumetra. Without arguments it runs the
# demo: a simulated WiFi microscope on 127.0.0.1, so there is a live picture to
# measure on. Any arguments are passed to the application instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
BUILD_DIR=${BUILD_DIR:-$root/build} BUILD_TYPE=${BUILD_TYPE:-Release} "$root/scripts/build.sh" -DLUMETRA_BUILD_TESTS=OFF -DLUMETRA_BUILD_BENCH=OFF
build=${BUILD_DIR:-$root/build}
if [ $# -eq 0 ]; then set -- --demo; fi
exec "$build/app/lumetra" "$@"
