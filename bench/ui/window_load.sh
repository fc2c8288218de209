#!/bin/sh
# The table of bench_window_load: every state of the window, with motion on and off, on
# Mesa's OpenGL (llvmpipe) and on Qt Quick's software backend, under an Xvfb of its own.
#
#   bench/ui/window_load.sh [BUILD_DIR] [SECONDS]
#
# BUILD_DIR defaults to build, SECONDS (measured per state, after a 5 s warm-up) to 20.
# DISPLAY_NUMBER picks the Xvfb display (default 97); STATES and BACKENDS narrow the
# table (for example STATES="hub attitude:1000" BACKENDS=opengl).
set -eu
build=${1:-build}
seconds=${2:-20}
display=:${DISPLAY_NUMBER:-97}
states=${STATES:-"hub workspace attitude:200 attitude:1000 charts:200 charts:1000 stats:200 stats:1000"}
backends=${BACKENDS:-"opengl software"}
bench=$build/bin/bench_window_load
[ -x "$bench" ] || { echo "window_load.sh: $bench is not built" >&2; exit 1; }

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT INT TERM
sleep 1

for backend in $backends; do
    for motion in on off; do
        for state in $states; do
            case=${state%%:*}
            rate=${state#*:}
            [ "$rate" = "$state" ] && rate=1000
            flag=""
            [ "$motion" = off ] && flag=--reduce-motion
            if [ "$backend" = software ]; then
                DISPLAY=$display QT_QPA_PLATFORM=xcb QT_QUICK_BACKEND=software \
                    "$bench" --case "$case" --rate "$rate" --seconds "$seconds" $flag
            else
                DISPLAY=$display QT_QPA_PLATFORM=xcb QT_QUICK_BACKEND=rhi \
                    "$bench" --case "$case" --rate "$rate" --seconds "$seconds" $flag
            fi
        done
    done
done
