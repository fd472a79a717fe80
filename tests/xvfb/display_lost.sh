#!/usr/bin/env bash
# The real program losing its X server in play (the desktop logging out, a
# remote display gone): one line in the log names it and the program ends
# with a non-zero status within two seconds, its saved files as they were.
#   display_lost.sh <grovekeep executable> <folder holding Data, Graphics, sound>
set -euo pipefail
source "$(dirname "$0")/common.sh"

make_world "$2"
start_game "$1"
wait_for "Run---" 20
xdotool mousemove 512 245 click 1
sleep 0.5
xdotool mousemove 400 161 click 1
sleep 1
saved=$(cat "$work/Data/"*.dat | md5sum)

kill "$xvfb_pid"
xvfb_pid=""
wait_for_end 2 "its display went away"
[ "$status" -ne 0 ] || fail "exit status 0 after losing the display"
wait_for "Display: the connection to the X server :[0-9]* was lost" 1
[ "$(cat "$work/Data/"*.dat | md5sum)" = "$saved" ] || fail "the saved files changed"
echo "display lost: status $status, the log says so"
