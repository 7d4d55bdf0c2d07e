#!/bin/bash
# Takes the README screenshot of the desktop application under Xvfb: opens the
# sample part from the command line, answers No to the verify question, zooms
# in four steps and runs the CLI preview for a few seconds.
# Usage: docs/screenshot.sh en|zh OUT.png [seconds] [startX] [pauseX]
# (button positions of the English bar; the Chinese bar has its start button at 362, pause at 387).
# Needs Xvfb, xdotool and ImageMagick; run from the repository root after a build with -DVEMO_BUILD_APP=ON
# and `vemo-make-sample $VEMO_BUILD_DIR/sample`.
# $1 language (en|zh), $2 output png
export DISPLAY=:77
Xvfb :77 -screen 0 1280x800x24 >/dev/null 2>&1 &
XPID=$!
sleep 1.5
VEMO_LANG=$1 LANG=C.UTF-8 ${VEMO_BUILD_DIR:-build}/vemo ${VEMO_BUILD_DIR:-build}/sample/plate.cli >/dev/null 2>&1 &
APID=$!
sleep 3
xdotool key Escape      # the verify question: No
sleep 1
for i in 1 2 3 4; do xdotool mousemove 131 34 click 1; sleep 0.3; done
xdotool mousemove ${4:-394} 34 click 1   # start the CLI preview
sleep ${3:-5}
xdotool mousemove ${5:-419} 34 click 1   # pause
xdotool mousemove 700 500
sleep 1
import -window root "$2"
kill $APID; sleep 0.5; kill $XPID
