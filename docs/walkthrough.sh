#!/bin/bash
# A user's walk-through of the desktop application under Xvfb, taking the two
# README pictures: open the sample part, export it with a hatch space of 1 mm
# (docs/vemo-export-dialog.png shows the options dialog), then preview the
# written SPF file in simulation mode, the scan lines of a layer appearing one
# by one (docs/vemo-preview.png).
# Usage: docs/walkthrough.sh [BUILD_DIR]   (a build with -DVEMO_BUILD_APP=ON)
# Needs Xvfb, xdotool and ImageMagick; positions are those of the English
# interface on a 1280x800 screen.
set -e
BUILD=${1:-build}
WORK=$(mktemp -d)
"$BUILD"/vemo-make-sample "$WORK" >/dev/null
export DISPLAY=:78
Xvfb :78 -screen 0 1280x800x24 >/dev/null 2>&1 &
XPID=$!
sleep 1.5
VEMO_LANG=en LANG=C.UTF-8 "$BUILD"/vemo "$WORK"/plate.cli >/dev/null 2>&1 &
APID=$!
sleep 3
xdotool mousemove 672 393 click 1   # the verify question: No
sleep 1.5
xdotool mousemove 28 8 click 1      # File
sleep 1
xdotool mousemove 87 97 click 1     # Export SPF File
sleep 1.5
xdotool key Return                  # save as plate.spf beside the part
sleep 1.5
xdotool mousemove 690 174 click --repeat 3 1
xdotool key ctrl+a
xdotool type "1.0"                  # hatch space
xdotool mousemove 900 700
sleep 0.5
import -window root docs/vemo-export-dialog.png
xdotool mousemove 637 572 click 1   # OK: the export runs, then the SPF bar shows
sleep 3
xdotool mousemove 206 8 click 1     # Preview
sleep 1
xdotool mousemove 250 119 click 1   # Simulation Mode
sleep 0.5
for i in 1 2 3 4; do xdotool mousemove 131 34 click 1; sleep 0.3; done   # zoom in
xdotool mousemove 394 34 click 1    # start the SPF preview
sleep 4.5
xdotool mousemove 700 600
import -window root docs/vemo-preview.png
kill $APID; sleep 0.5; kill $XPID
rm -rf "$WORK"
