#!/usr/bin/env bash
# The real program asked for a window on a screen smaller than its picture
# (1280 x 720, as a small laptop under a top bar): the window opens at the
# largest size of the picture's shape that fits, and carries the desktop
# entry's name as its class, so that docks match it to its launcher; the
# pointer works the scaled menu.
#   window_fits.sh <grovekeep executable> <folder holding Data, Graphics, sound>
set -euo pipefail
source "$(dirname "$0")/common.sh"

make_world "$2"
XVFB_SCREEN=1280x720x24 start_game "$1" --window

wait_for "Run---" 20
window=$(xdotool search --sync --name '^Grovekeep$' | head -n 1)
class=$(xprop -id "$window" WM_CLASS)
[ "$class" = 'WM_CLASS(STRING) = "io.github.grovekeep.Grovekeep", "io.github.grovekeep.Grovekeep"' ] ||
  fail "window class: $class"
size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 960x720 ] || fail "a $size window on a 1280 x 720 screen"
# The picture is scaled into the window: the pointer over where "Options"
# is drawn (512, 295 in the picture) highlights it, and the sound says so.
from=$(sound_written)
for _ in $(seq 1 20); do
  xdotool mousemove --window "$window" 20 20
  sleep 0.2
  xdotool mousemove --window "$window" 480 277
  sleep 0.4
  if audible_between "$from"; then break; fi
done
audible_between "$from" || fail "no hover sound over the scaled Options button"
kill -TERM "$game_pid"
wait_for_end 10 "SIGTERM"
[ "$status" -eq 0 ] || fail "exit code $status after SIGTERM"
wait_for "End of program" 1
echo "a 960 x 720 window of class io.github.grovekeep.Grovekeep on a 1280 x 720 screen"
