#!/usr/bin/env bash
# The real program in a real X window (Xvfb, no window manager): the menu
# answers real pointer moves and clicks. Hovering a button plays its sound;
# clicking "Quit" ends the program with the whole shutdown in the log.
#   menu_clicks.sh <grovekeep executable> <folder holding Data, Graphics, sound>
set -euo pipefail
exe=$1
content=$2

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/bin"
cp -r "$content/Data" "$content/Graphics" "$content/sound" "$work/"

# Xvfb picks a free display number and tells it through a pipe.
exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r -t 10 display <&3 || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display"

# The sound goes to a file, so that the hover sound can be heard by a test.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"
unset SDL_VIDEODRIVER
(cd "$work/bin" && exec "$exe") &
game_pid=$!

wait_for() { # text in the log, within seconds
  for _ in $(seq 1 $(( $2 * 10 ))); do
    grep -q -- "$1" "$work/bin/stdout.log" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "not in the log after $2 s: $1"; cat "$work/bin/stdout.log" 2>/dev/null; return 1
}
audible() { # any non-zero byte in the sound written so far
  [ -s "$work/audio.raw" ] && [ "$(tr -d '\000' < "$work/audio.raw" | head -c 1 | wc -c)" -gt 0 ]
}

wait_for "Run---" 20
xdotool mousemove 40 40
sleep 0.5
if audible; then echo "sound before any hover"; exit 1; fi

# Onto "Options" until the menu (open once the data has loaded) answers.
heard=no
for _ in $(seq 1 20); do
  xdotool mousemove 40 40
  sleep 0.2
  xdotool mousemove 512 295
  sleep 0.4
  if audible; then heard=yes; break; fi
done
[ "$heard" = yes ] || { echo "no hover sound ($(wc -c < "$work/audio.raw") bytes of sound)"; exit 1; }

xdotool mousemove 512 445         # onto "Quit"
sleep 0.3
xdotool click 1
for _ in $(seq 1 100); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then echo "Quit did not end the program"; exit 1; fi
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || { echo "exit code $status"; exit 1; }
wait_for "All other Objects Destroyed" 1
wait_for "End of program" 1
echo "menu answered real pointer moves and clicks"
