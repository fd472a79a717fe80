#!/usr/bin/env bash
# The real program with no display to open (over ssh, or a login without
# DISPLAY or WAYLAND_DISPLAY): it says so in one line on standard error and
# in its log and exits with status 1 at once, instead of running unseen on
# SDL's offscreen driver.
#   no_display.sh <grovekeep executable> <folder holding Data, Graphics, sound>
set -euo pipefail
source "$(dirname "$0")/common.sh"

make_world "$2"
cp "$(realpath "$1")" "$work/bin/grovekeep"
status=0
(cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy \
  timeout 10 "$work/bin/grovekeep" 2>"$work/stderr") || status=$?
[ "$status" -eq 1 ] || fail "exit status $status"
line='Display: no display to open'
[ "$(grep -c "$line" "$work/stderr")" -eq 1 ] || fail "standard error: $(cat "$work/stderr")"
[ "$(grep -c "$line" "$work/bin/stdout.log")" -eq 1 ] || fail "log: $(cat "$work/bin/stdout.log")"
echo "no display: one line, status 1"
