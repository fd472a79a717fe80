#!/usr/bin/env bash
# The real program on native Wayland: a headless sway (no GPU, no input
# devices, drawing in software) with no X display at all. A keyboard and a
# pointer of its own (seat.py) take the game from the menu into level 1,
# where the held arrow key walks the farmer along the corridor of the
# real-window key test (tests/xvfb/corridor_level.py); the compositor's
# screenshot of the level in play is kept; Escape and "Quit" end the
# program cleanly. wlroots refuses to run as root, so as root sway runs as
# an unprivileged user made for the test (and removed again by it).
#   play_level.sh <grovekeep executable> <folder holding Data, Graphics, sound> <build folder>
set -euo pipefail
screenshot=${3:?usage: play_level.sh <grovekeep executable> <content folder> <build folder>}/screenshots/wayland_play.png
here=$(cd "$(dirname "$0")" && pwd)
xvfb=$here/../xvfb
source "$xvfb/common.sh"
for tool in sway swaymsg grim; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup installs it)"
done

compositor_user=$(id -un)
made_user=""
sway_pid=""
seat_pid=""
stop_wayland() { # the game first, while its compositor is still there to see it go
  if [ -n "$game_pid" ]; then
    kill "$game_pid" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
  fi
  [ -n "$seat_pid" ] && kill "$seat_pid" 2>/dev/null || true
  [ -n "$sway_pid" ] && kill "$sway_pid" 2>/dev/null || true
  [ -n "$sway_pid" ] && wait "$sway_pid" 2>/dev/null || true
  [ -n "$made_user" ] && userdel "$made_user" 2>/dev/null || true
  cleanup
}
trap stop_wayland EXIT

if [ "$(id -u)" -eq 0 ]; then
  compositor_user=grovekeep-wayland-test
  if ! id "$compositor_user" >/dev/null 2>&1; then
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$compositor_user" ||
      fail "cannot make the user $compositor_user to run sway"
    made_user=$compositor_user
  fi
fi

start_compositor() {
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  chown "$compositor_user:" "$XDG_RUNTIME_DIR"
  printf 'xwayland disable\noutput HEADLESS-1 resolution 1024x768 position 0 0\n' > "$work/sway.conf"
  chmod 644 "$work/sway.conf"
  chmod 755 "$work"
  local as_user=()
  [ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid="$compositor_user" --regid="$compositor_user" --clear-groups)
  "${as_user[@]}" env -i PATH="$PATH" HOME="$XDG_RUNTIME_DIR" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway --config "$work/sway.conf" --debug > "$work/sway.log" 2>&1 &
  sway_pid=$!
  # Its runtime folder is its own: the one Wayland socket and the one IPC
  # socket in it are this compositor's.
  for _ in $(seq 1 100); do
    ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock >/dev/null 2>&1 && break
    kill -0 "$sway_pid" 2>/dev/null || { tail -n 20 "$work/sway.log"; fail "sway did not start"; }
    sleep 0.1
  done
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null) || fail "sway did not start"
  WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls -d wayland-* | grep -v '\.lock$' | head -n 1)
  [ -n "$WAYLAND_DISPLAY" ] || fail "sway made no Wayland socket"
  export SWAYSOCK WAYLAND_DISPLAY
  swaymsg -t get_version >/dev/null || fail "sway does not answer"
  # The game is a Wayland client alone: with an X display it might take that.
  unset DISPLAY SDL_VIDEODRIVER
}

start_seat() { # seat.py talks through two pipes (bash keeps one coprocess, the screenshots' reader)
  mkfifo "$work/seat.in" "$work/seat.out"
  python3 "$here/seat.py" < "$work/seat.in" > "$work/seat.out" &
  seat_pid=$!
  exec {seat_in}> "$work/seat.in" {seat_out}< "$work/seat.out"
  read -r -t 10 answer <&"$seat_out" && [ "$answer" = ok ] || fail "no virtual keyboard and pointer"
}
input() { # one command to the virtual keyboard and pointer
  echo "$*" >&"$seat_in"
  read -r -t 10 answer <&"$seat_out" && [ "$answer" = ok ] || fail "the compositor did not take: $*"
}

shown=other x=- y=-
coproc looker { exec python3 -S "$xvfb/screen.py" look; }
look() { # the screen shown, where the farmer is in the corridor ("-" when not drawn)
  grim -t ppm "$work/shot.ppm" || fail "no screenshot"
  echo "$work/shot.ppm" >&"${looker[1]}"
  read -r shown x y _ <&"${looker[0]}" || fail "screenshot not read"
}
watch_until() { # seconds, then a command asked after every look; false when the time is up
  local deadline=$(( SECONDS + $1 ))
  shift
  while [ "$SECONDS" -le "$deadline" ]; do
    look
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
shows() { [ "$shown" = "$1" ]; }
drawn() { [ "$x" != - ]; }

make_world "$2"
python3 "$xvfb/corridor_level.py" "$here/../../content" "$work/Data/Level1.dat"
start_compositor
start_seat
export SDL_AUDIODRIVER=dummy
cp "$(realpath "$1")" "$work/bin/grovekeep"
(cd / && exec "$work/bin/grovekeep") 2> "$work/stderr.log" &
game_pid=$!
for _ in $(seq 1 200); do
  grep -q -- "Run---" "$work/bin/stdout.log" 2>/dev/null && break
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q -- "Run---" "$work/bin/stdout.log" 2>/dev/null ||
  fail "the game did not start on Wayland: $(cat "$work/stderr.log"; grep -i error "$work/bin/stdout.log")"
grep '^Renderer:' "$work/bin/stdout.log"
watch_until 10 shows menu || fail "no menu on the screen (shown: $shown)"

input move 512 245
input click
watch_until 10 shows list || fail "no level list after New (shown: $shown)"
input move 512 156
input click
watch_until 10 shows play || fail "no play screen after choosing level 1 (shown: $shown)"
watch_until 5 drawn || fail "no farmer in the corridor"
# Towards the farther end for four cells, then a tap into the other row and
# back the other way: two seconds or so of play, three keys.
start_x=$x start_row=$(( y / 32 ))
if [ "$start_x" -le $(( 13 * 32 )) ]; then ahead=Right sign=1 back=Left; else ahead=Left sign=-1 back=Right; fi
if [ "$start_row" -eq 0 ]; then across=Down; else across=Up; fi
walked() { drawn && [ $(( (x - $1) * $2 )) -ge $(( $3 * 32 )) ]; } # from x $1 in direction $2, $3 cells or more
input press "$ahead"
watch_until 10 walked "$start_x" "$sign" 4 || { input release "$ahead"; fail "$ahead did not walk the farmer (at $x, from $start_x)"; }
input release "$ahead"
echo "the farmer walked $ahead from x $start_x to $x"
turned_x=$x
turned() { walked "$turned_x" $(( -sign )) 1 && [ $(( y / 32 )) -ne "$start_row" ]; }
input press "$across"
sleep 0.15 # a short tap: held on, he would walk on across into the trees
input release "$across"
input press "$back"
watch_until 5 turned || { input release "$back"; fail "$across and $back did not turn the farmer (at $x, $y)"; }
input release "$back"
echo "the farmer turned $across and walked $back in the other row to x $x"
mkdir -p "$(dirname "$screenshot")"
grim "$screenshot" || fail "no screenshot of the level in play"

tap() { input press "$1"; sleep 0.3; input release "$1"; } # held over a few frames: the game looks once a frame
tap Escape
watch_until 10 shows menu || fail "Escape did not lead back to the menu (shown: $shown)"
input move 512 445
input click
wait_for_end 10 "Quit"
[ "$status" -eq 0 ] || fail "exit code $status: $(cat "$work/stderr.log")"
wait_for "End of program" 1
echo "on Wayland the game started, played level 1 with the keys and quit cleanly"
