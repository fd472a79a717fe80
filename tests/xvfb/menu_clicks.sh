#!/usr/bin/env bash
# The real program in a real X window: the menu answers real pointer moves
# and clicks. Hovering a button plays its sound; clicking "Quit" ends the
# program with the whole shutdown in the log.
#   menu_clicks.sh <grovekeep executable> <folder holding Data, Graphics, sound>
set -euo pipefail
source "$(dirname "$0")/common.sh"

make_world "$2"
start_game "$1"

wait_for "Run---" 20
xdotool mousemove 40 40
sleep 0.5
if audible_between 0; then fail "sound before any hover"; fi
wait_for_menu
quit_from_menu
echo "menu answered real pointer moves and clicks"
