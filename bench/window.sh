#!/usr/bin/env bash
# scripts/bench --window [BUILD_DIR ...]: what the real program costs the
# machine in a real X window (Xvfb with openbox managing it; full screen on
# screens of 1024 x 768, where the picture fills it one to one, then
# 1920 x 1080 and 3840 x 2160, where it is scaled; BENCH_SCREENS names
# others), for each build folder in turn (default build-bench), so that an
# older build and a newer one are measured side by side in one run. Each program
# runs in a scratch copy of its own build's data; its sound goes to a file
# through SDL's disk driver, so the mixer and the music synthesizer work as
# they would for a player.
#   menu  grovekeep: exec to the main menu on the screen (loading over),
#         median of 3 starts, on the first screen only; then BENCH_SECONDS
#         (15) idle in the menu: CPU
#         (user + system, all threads) in % of one core, and peak RSS
#   play  window_play (bench/window_play.cpp): level 1 with the tests' bot at
#         the keys (the level made unwinnable, so that it stays level 1),
#         BENCH_SECONDS from the start of the level: CPU, peak RSS
# Each build folder is built first (grovekeep, window_play) with
# GROVEKEEP_BENCH=ON; one not yet configured is configured (Release) from
# the source tree it sits in. The folder of another source tree (an older
# commit's worktree) gets this tree's window_play through
# bench/attach_window_play.cmake, its own files untouched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${BENCH_SECONDS:-15}
screens=(${BENCH_SCREENS:-1024x768 1920x1080 3840x2160})
starts=3

"$root/scripts/setup" openbox libx11-dev

builds=()
for build in "${@:-$root/build-bench}"; do
  builds+=("$(realpath -m "$build")")
done

build_for_bench() { # build folder: configured with the benchmarks, grovekeep and window_play built
  local build=$1 source configure=()
  if [ -f "$build/CMakeCache.txt" ]; then
    source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
  else
    source=$(dirname "$build")
    configure=(-DCMAKE_BUILD_TYPE=Release)
    [ -f "$source/CMakeLists.txt" ] || {
      echo "bench: $build is neither a build folder nor in a source tree"
      exit 1
    }
  fi
  local log=$build/bench-window.log
  echo "bench: building $build (source $source)"
  mkdir -p "$build"
  if ! cmake -S "$source" -B "$build" "${configure[@]}" -DGROVEKEEP_BENCH=ON \
    -DCMAKE_PROJECT_INCLUDE="$root/bench/attach_window_play.cmake" >"$log" 2>&1 ||
    ! cmake --build "$build" -j"$(nproc)" --target grovekeep window_play >>"$log" 2>&1; then
    tail -n 30 "$log"
    echo "bench: $build did not build (log: $log)"
    exit 1
  fi
}
for build in "${builds[@]}"; do
  build_for_bench "$build"
done

# $work (removed at the end), fail, make_world, start_display.
source "$root/tests/xvfb/common.sh"
measured_pid=""
trap '[ -n "$measured_pid" ] && kill -KILL "$measured_pid" 2>/dev/null; cleanup' EXIT

cc -O2 -Wall -o "$work/screen_wait" "$root/bench/screen_wait.c" -lX11

start_screen() { # WIDTHxHEIGHT: Xvfb of that size and its window manager, whose chatter is left out
  XVFB_SCREEN="$1x24" start_display
  openbox > >(grep --line-buffered -v '^Openbox-Message:') 2>/dev/null &
  game_pid=$!
  "$work/screen_wait" wm || fail "openbox did not start"
}

stop_screen() {
  kill "$game_pid" "$xvfb_pid" 2>/dev/null || true
  wait "$game_pid" "$xvfb_pid" 2>/dev/null || true
  game_pid="" xvfb_pid=""
}

now_ns() { date +%s%N; }

launch() { # game folder, executable: a fresh scratch world, then the program in it; sets measured_pid, launched_ns
  rm -rf "${work:?}/bin" "$work/Data" "$work/Graphics" "$work/sound" "$work/audio.raw"
  make_world "$1"
  # A copy beside the scratch world: the game finds its data beside itself.
  cp "$2" "$work/bin/"
  launched_ns=$(now_ns)
  (cd "$work/bin" && exec "./$(basename "$2")" >"$work/out.txt" 2>"$work/err.txt") &
  measured_pid=$!
}

give_up() { # what went wrong, with the end of the measured program's output and log
  tail -n 5 "$work/err.txt" "$work/bin/stdout.log" 2>/dev/null || true
  fail "bench: $*"
}

close() { # the measured program: SIGTERM, which it takes as the window's close
  kill -TERM "$measured_pid"
  for _ in $(seq 1 100); do
    kill -0 "$measured_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$measured_pid" 2>/dev/null && give_up "it did not end within 10 s of SIGTERM"
  wait "$measured_pid" || true
  measured_pid=""
}

cpu_ticks() { # sets ticks: user + system clock ticks of the measured program so far, every thread
  local stat fields
  stat=$(<"/proc/$measured_pid/stat")
  # The fields after the program's name, from its state on: utime and stime
  # are the 12th and 13th.
  read -ra fields <<<"${stat##*) }"
  [ "${fields[0]}" != Z ] || give_up "it ended while measured"
  ticks=$(( fields[11] + fields[12] ))
}

usage() { # seconds of watching: sets cpu (% of one core) and rss (peak, MiB)
  local ticks ticks0 t0 t1
  cpu_ticks
  ticks0=$ticks t0=$(now_ns)
  sleep "$1"
  cpu_ticks
  t1=$(now_ns)
  cpu=$(awk -v t=$(( ticks - ticks0 )) -v hz="$(getconf CLK_TCK)" -v ns=$(( t1 - t0 )) \
    'BEGIN { printf "%.1f", 100 * t / hz / (ns / 1e9) }')
  rss=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$measured_pid/status")
}

measure_menu() { # build, starts to time (0: none): sets to_menu (median ms), cpu_menu, rss_menu, renderer
  local build=$1 timed=$2 times=() run
  for run in $(seq 1 "$(( timed > 0 ? timed : 1 ))"); do
    launch "$build/game" "$build/game/bin/grovekeep"
    if [ "$timed" -gt 0 ]; then
      times+=("$("$work/screen_wait" menu "$launched_ns")") || give_up "$build: no menu within 30 s"
    else
      wait_for "Run---" 30 >/dev/null || give_up "$build: no menu within 30 s"
      sleep 1
    fi
    if [ "$run" -eq "$(( timed > 0 ? timed : 1 ))" ]; then
      usage "$seconds"
      cpu_menu=$cpu rss_menu=$rss
    fi
    close
  done
  to_menu=-
  if [ "$timed" -gt 0 ]; then
    echo "bench: $build: exec to menu ${times[*]} ms"
    to_menu=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (timed + 1) / 2 ))p")
  fi
  renderer=$(grep -m 1 '^Renderer:' "$work/bin/stdout.log" | sed 's/^Renderer:[[:space:]]*//' || true)
  renderer=${renderer:-not logged (SDL default)}
}

measure_play() { # build: sets cpu_play, rss_play
  local build=$1
  launch "$build/game" "$build/bench/window_play"
  for _ in $(seq 1 300); do
    grep -q '^level 1 started' "$work/out.txt" && break
    sleep 0.1
  done
  grep -q '^level 1 started' "$work/out.txt" || give_up "$build: level 1 did not start within 30 s"
  usage "$seconds"
  cpu_play=$cpu rss_play=$rss
  close
}

rows=()
for screen in "${screens[@]}"; do
  start_screen "$screen"
  timed=0
  [ "$screen" = "${screens[0]}" ] && [ "$screen" = 1024x768 ] && timed=$starts
  for build in "${builds[@]}"; do
    measure_menu "$build" "$timed"
    measure_play "$build"
    rows+=("$(printf '%-40s %-10s %8s %8s %9s %9s %8s  %s' "$build" "$screen" "$cpu_menu" "$cpu_play" "$rss_menu" \
      "$rss_play" "$to_menu" "$renderer")")
  done
  stop_screen
done

echo
echo "${seconds} s each; CPU in % of one core, peak RSS in MiB, exec to menu in ms (median of $starts, on 1024 x 768)"
printf '%-40s %-10s %8s %8s %9s %9s %8s  %s\n' build screen "CPU menu" "CPU play" "RSS menu" "RSS play" "to menu" \
  renderer
printf '%s\n' "${rows[@]}"
