# Sourced by the real-window tests: the real program in a real X window
# (Xvfb, no window manager) in a scratch folder, its sound written to a file.
#   make_world <folder holding Data, Graphics, sound>   the scratch copy, in $work
#   start_display                                        Xvfb, the sound going to $work/audio.raw
#   start_game <grovekeep executable> [arguments]        Xvfb, then a copy of the game in $work/bin
# XVFB_SCREEN sets the screen's size (1024x768x24 by default).
# Everything started is stopped and the scratch folder removed on exit.

# The Python helpers import each other from the source tree: no caches there.
export PYTHONDONTWRITEBYTECODE=1

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "$*"
  exit 1
}

make_world() {
  mkdir -p "$work/bin"
  cp -r "$1/Data" "$1/Graphics" "$1/sound" "$work/"
}

start_display() { # Xvfb on a free display, the sound going to a file
  # Xvfb picks a free display number and tells it through a pipe.
  exec 3< <(Xvfb -displayfd 1 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 2>/dev/null)
  xvfb_pid=$!
  local display
  read -r -t 10 display <&3 || fail "Xvfb did not start"
  export DISPLAY=":$display"
  # The sound goes to a file (silence is zero bytes), so that a test can hear it.
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"
  unset SDL_VIDEODRIVER
}

start_game() {
  start_display
  # The program finds its data beside itself: a copy of it goes into the
  # scratch world, started from an unrelated folder.
  cp "$(realpath "$1")" "$work/bin/grovekeep"
  shift
  (cd / && exec "$work/bin/grovekeep" "$@") &
  game_pid=$!
}

wait_for() { # text in the log, within seconds
  for _ in $(seq 1 $(( $2 * 10 ))); do
    grep -q -- "$1" "$work/bin/stdout.log" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "not in the log after $2 s: $1"; cat "$work/bin/stdout.log" 2>/dev/null; return 1
}

sound_written() { # bytes of sound in the file so far
  if [ -f "$work/audio.raw" ]; then wc -c < "$work/audio.raw"; else echo 0; fi
}

audible_between() { # any non-zero byte from offset $1 up to offset $2 (default: the end)
  local to=${2:-$(sound_written)}
  [ "$to" -gt "$1" ] &&
    [ "$(tail -c +$(( $1 + 1 )) "$work/audio.raw" | head -c $(( to - $1 )) | tr -d '\000' | head -c 1 | wc -c)" -gt 0 ]
}

wait_until_quiet() { # until the last half second of sound was silence, within seconds
  local half=$(( 44100 * 4 / 2 )) end
  for _ in $(seq 1 $(( $1 * 10 ))); do
    end=$(sound_written)
    if [ "$end" -ge "$half" ] && ! audible_between $(( end - half )) "$end"; then return 0; fi
    sleep 0.1
  done
  fail "still sounding after $1 s"
}

wait_for_menu() { # onto "Options" until the menu (open once the data has loaded) answers with its sound
  local from
  from=$(sound_written)
  for _ in $(seq 1 20); do
    xdotool mousemove 40 40
    sleep 0.2
    xdotool mousemove 512 295
    sleep 0.4
    if audible_between "$from"; then return 0; fi
  done
  fail "no hover sound ($(sound_written) bytes of sound)"
}

wait_for_end() { # seconds, what should end it: the game must end within them; sets status, its exit status
  for _ in $(seq 1 $(( $1 * 10 ))); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$game_pid" 2>/dev/null; then fail "still running $1 s after $2"; fi
  status=0
  wait "$game_pid" || status=$?
  game_pid=""
}

quit_from_menu() { # clicks "Quit"; the program must end cleanly with the whole shutdown in the log
  xdotool mousemove 512 445
  sleep 0.3
  xdotool click 1
  wait_for_end 10 "Quit"
  [ "$status" -eq 0 ] || fail "exit code $status"
  wait_for "All other Objects Destroyed" 1
  wait_for "End of program" 1
}
