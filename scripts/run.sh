#!/usr/bin/env bash
# The main job: build the tool, make the sample part, export it to a machine
# scan-path file and draw one of its layers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" -DVEMO_BUILD_TESTS=OFF
dir=${VEMO_BUILD_DIR:-$root/build}
mkdir -p "$dir/sample"
"$dir/vemo-make-sample" "$dir/sample"
"$dir/vemo-cli" export "$dir/sample/plate.cli" -o "$dir/sample/plate.spf"
"$dir/vemo-cli" export "$dir/sample/plate.ssl" -o "$dir/sample/plate-from-ssl.spf" --quiet
"$dir/vemo-cli" info "$dir/sample/plate.spf"
"$dir/vemo-cli" render "$dir/sample/plate.spf" --layer 50 -o "$dir/sample/plate-layer50.png" --jumps
echo "rendered layer 50: $dir/sample/plate-layer50.png"
