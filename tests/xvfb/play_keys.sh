#!/usr/bin/env bash
# The real program in a real X window, played with real key presses. Level 1
# is replaced by a corridor two rows high and the field wide between trees
# (corridor_level.py): the farmer starts on a random cell of it and the
# fruits lie only there. The test finds him on screenshots and steers him:
# a key starts him towards the farther end; near an end a tap across and a
# held key back take him into the other row and back along it, round and
# round, until he has collected a fruit. Then the gold on the side panel
# must have grown, and the first sound written since the keys were pressed
# must be the fruit's, sho.wav: the level has no music and no traps, so
# nothing else sounds while he walks.
#   play_keys.sh <grovekeep executable> <folder holding Data, Graphics, sound> <build folder>
set -euo pipefail
screenshot=${3:?usage: play_keys.sh <grovekeep executable> <content folder> <build folder>}/screenshots/real_window_play.png
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

content=$2
make_world "$content"
python3 "$here/corridor_level.py" "$here/../../content" "$work/Data/Level1.dat"
start_game "$1"
wait_for "Run---" 20
wait_for_menu

cell=32
shown=other x=- y=- gold=0
coproc looker { exec python3 -S "$here/screen.py" look; }
look() { # the screen shown, where the farmer is (from the corridor's top left; "-" when not drawn), the gold's width
  xwd -root -silent > "$work/shot.xwd" || fail "no screenshot"
  echo "$work/shot.xwd" >&"${looker[1]}"
  read -r shown x y gold <&"${looker[0]}" || fail "screenshot not read"
}
watch_until() { # seconds, then a command asked after every look; false when the time is up
  local deadline=$(( SECONDS + $1 ))
  shift
  while [ "$SECONDS" -le "$deadline" ]; do
    look
    "$@" && return 0
    sleep 0.05
  done
  return 1
}
shows() { [ "$shown" = "$1" ]; }
drawn() { [ "$x" != - ]; }
sign() { if [ "$1" = Right ]; then echo 1; else echo -1; fi; }
walked() { drawn && [ $(( (x - $2) * $(sign "$1") )) -ge "$cell" ]; } # a cell or more in direction $1 from x = $2
row() { echo $(( y / cell )); }
other() { case $1 in Right) echo Left;; Left) echo Right;; Up) echo Down;; Down) echo Up;; esac; }

# New, then the first level of the list.
xdotool mousemove 512 245 click 1
watch_until 10 shows list || fail "no level list after New (shown: $shown)"
level_start=$(sound_written)
xdotool mousemove 512 156 click 1
watch_until 10 shows play || fail "no play screen after choosing the level (shown: $shown)"
# Until the first key he blinks, drawn a third of the time.
watch_until 5 drawn || fail "no farmer in the corridor"
start_x=$x start_y=$y
gold_before=$gold
[ "$gold_before" -gt 0 ] || fail "no gold value on the side panel"
# Choosing the level sounds (the click, and the level starts with the fruit's
# sound); the keys come once that is over.
for _ in $(seq 1 50); do audible_between "$level_start" && break; sleep 0.1; done
audible_between "$level_start" || fail "no sound at the start of the level"
wait_until_quiet 10
quiet=$(sound_written)
watch_until 5 drawn || fail "the farmer is gone before any key"
[ "$x" -eq "$start_x" ] && [ "$y" -eq "$start_y" ] || fail "the farmer moved before any key ($start_x,$start_y -> $x,$y)"

# Towards the farther end; "across" leads into the other row.
if [ $(( x / cell )) -le 13 ]; then ahead=Right; else ahead=Left; fi
if [ "$(row)" -eq 0 ]; then across=Down; else across=Up; fi
echo "the farmer waits in column $(( x / cell )) of corridor row $(row); pressing $ahead"
xdotool keydown "$ahead"
started=yes
watch_until 10 walked "$ahead" "$start_x" || started=""
xdotool keyup "$ahead"
[ -n "$started" ] || fail "$ahead did not start the farmer"
echo "the farmer walks $ahead"

# A tap across, then the way back held until he walks it in the other row.
# The tap is short: held until he reaches the other row it would keep him
# going across into the trees. A tap the game missed is tapped again.
turn_back() {
  local back from_x=$x from_row tapped_x=$x deadline=$(( SECONDS + 10 ))
  back=$(other "$ahead")
  from_row=$(row)
  xdotool keydown "$across" sleep 0.15 keyup "$across" keydown "$back"
  while [ "$SECONDS" -le "$deadline" ]; do
    look
    drawn || break
    if [ "$(row)" -ne "$from_row" ] && walked "$back" "$from_x"; then
      xdotool keyup "$back"
      echo "the farmer turned $across and then $back: corridor row $(row), column $(( x / cell ))"
      ahead=$back
      across=$(other "$across")
      return 0
    fi
    if [ "$(row)" -eq "$from_row" ] && [ $(( (x - tapped_x) * $(sign "$ahead") )) -ge $(( 2 * cell )) ]; then
      tapped_x=$x
      xdotool keydown "$across" sleep 0.15 keyup "$across"
    fi
    sleep 0.05
  done
  xdotool keyup "$back"
  fail "the farmer did not turn $across and then $back (seen at ${x},${y})"
}

# Round the corridor until a fruit is collected, heard, and he has turned.
turns=0 collected="" heard=""
deadline=$(( SECONDS + 60 ))
while [ -z "$collected" ] || [ -z "$heard" ] || [ "$turns" -eq 0 ]; do
  [ "$SECONDS" -le "$deadline" ] || break
  look
  drawn || fail "the farmer is gone"
  if [ -z "$collected" ] && [ "$gold" -gt "$gold_before" ]; then
    collected=yes
    cp "$work/shot.xwd" "$work/collected.xwd"
    echo "the gold grew: drawn $gold_before, now $gold pixels wide"
  fi
  if [ -n "$collected" ] && [ -z "$heard" ]; then
    verdict=$(python3 -S "$here/sound.py" "$work/audio.raw" "$quiet" "$content/sound/sho.wav") || fail "sound not read"
    case $verdict in
      yes*) heard=yes; echo "the first sound since the keys is sho.wav (alike ${verdict#yes })" ;;
      no*) fail "the first sound since the keys is not sho.wav (alike ${verdict#no })" ;;
    esac
  fi
  if { [ "$ahead" = Right ] && [ "$x" -ge $(( 22 * cell )) ]; } || { [ "$ahead" = Left ] && [ "$x" -lt $(( 5 * cell )) ]; }; then
    turn_back
    turns=$(( turns + 1 ))
  fi
  sleep 0.05
done
[ -n "$collected" ] || fail "no fruit collected: the gold on the side panel did not grow"
[ -n "$heard" ] || fail "a fruit was collected but no sound was written"
[ "$turns" -gt 0 ] || fail "the farmer never turned"

mkdir -p "$(dirname "$screenshot")"
python3 "$here/screen.py" png "$work/collected.xwd" "$screenshot"

xdotool keydown Escape sleep 0.3 keyup Escape
quit_from_menu
echo "real keys started the farmer, turned him and collected a fruit"
