#!/usr/bin/env bash
# Runs picture tests on one of SDL's OpenGL renderers (Mesa's, in software)
# in a real X window under Xvfb: the GPU path a player with a GPU gets.
#   run_on_gl.sh <renderer> <grovekeep> <folder holding Data, Graphics, sound> <build folder> <tests program> <filter>
# First the real program shows that the renderer asked for is the one it
# draws with (SDL would quietly take another); then each test the filter
# names runs alone, as CTest runs the headless ones. The pictures they save
# are moved to <build>/screenshots/<renderer>/, the software renderer's put
# back where they were, and the two compared (pixels differing and by how
# much at most) for a person to read.
set -euo pipefail
renderer=$1 game=$2 content=$3 build=$4 program=$5 filter=$6
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../xvfb/common.sh"

start_display
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER=$renderer
unset SDL_DISKAUDIOFILE

make_world "$content"
cp "$(realpath "$game")" "$work/bin/grovekeep"
(cd / && exec "$work/bin/grovekeep") &
game_pid=$!
wait_for "^Renderer:" 20
grep -q "^Renderer: $renderer," "$work/bin/stdout.log" || fail "asked for $renderer, got: $(grep '^Renderer:' "$work/bin/stdout.log")"
grep '^Renderer:' "$work/bin/stdout.log"
kill "$game_pid"
wait "$game_pid" || true
game_pid=""

pictures=$build/screenshots
mkdir -p "$pictures" "$work/software"
find "$pictures" -maxdepth 1 -name '*.png' -exec mv -t "$work/software" {} +
restore_pictures() {
  mkdir -p "$pictures/$renderer"
  find "$pictures" -maxdepth 1 -name '*.png' -exec mv -t "$pictures/$renderer" {} +
  find "$work/software" -maxdepth 1 -name '*.png' -exec mv -t "$pictures" {} +
}
trap 'restore_pictures; cleanup' EXIT

failed=()
tests=$("$program" --gtest_list_tests --gtest_filter="$filter" | awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }')
[ -n "$tests" ] || fail "no test matches $filter"
for test in $tests; do
  if "$program" --gtest_filter="$test" > "$work/test.log" 2>&1; then
    echo "passed on $renderer: $test"
  else
    grep -B2 -A10 'Failure\|FAILED' "$work/test.log" | head -n 40
    failed+=("$test")
  fi
done
restore_pictures
trap cleanup EXIT
if [ -n "$(ls "$pictures/$renderer" 2>/dev/null)" ]; then
  echo "the pictures on $renderer against the software renderer's:"
  python3 "$here/compare_pictures.py" "$pictures" "$pictures/$renderer"
fi
[ ${#failed[@]} -eq 0 ] || fail "failed on $renderer: ${failed[*]}"
