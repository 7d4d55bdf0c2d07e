#!/usr/bin/env bash
# The main job: build the tool, make the sample part and show it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" -DVEMO_BUILD_TESTS=OFF -DVEMO_BUILD_APP=ON
dir=${VEMO_BUILD_DIR:-$root/build}
mkdir -p "$dir/sample"
"$dir/vemo-make-sample" "$dir/sample"
"$dir/vemo-cli" info --layers "$dir/sample/plate.cli"
