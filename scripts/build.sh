#!/usr/bin/env bash
# Configures and builds into build/ (or $VEMO_BUILD_DIR) with the given extra CMake options.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${VEMO_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${VEMO_BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
