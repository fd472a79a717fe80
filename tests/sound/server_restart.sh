#!/usr/bin/env bash
# The real program and a real PulseAudio server (a null sink, heard through
# its monitor). The game starts before the server: silent, then the level's
# tune reaches the server within seconds of its start, the stream named
# "Grovekeep"; the server killed, the game plays on in silence; the server
# back, the tune comes back too.
#   server_restart.sh <grovekeep executable> <folder holding Data, Graphics, sound>
set -euo pipefail
source "$(dirname "$0")/../xvfb/common.sh"

pulse_pid=""
stop_pulse() {
  [ -n "$pulse_pid" ] || return 0
  kill -9 "$pulse_pid" 2>/dev/null || true
  wait "$pulse_pid" 2>/dev/null || true
  pulse_pid=""
}
trap 'stop_pulse; cleanup' EXIT

start_pulse() {
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
    -L "module-native-protocol-unix" -L "module-null-sink sink_name=game" \
    --log-target=file:"$work/pulse.log" &
  pulse_pid=$!
  for _ in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "PulseAudio did not start: $(cat "$work/pulse.log")"
}

loudness() { # RMS of two seconds of the null sink's monitor, 0 to 32767
  timeout 2 parec -d game.monitor --raw --format=s16le --channels=1 --rate=22050 >"$work/heard.raw" 2>/dev/null || true
  python3 -c 'import sys, array, math
a = array.array("h"); a.frombytes(open(sys.argv[1], "rb").read()[: 44100 * 2 // 2 * 2])
print(int(math.sqrt(sum(x * x for x in a) / len(a))) if a else 0)' "$work/heard.raw"
}

# The server's own folder, where SDL and the tools look for its socket.
export XDG_RUNTIME_DIR="$work/run" HOME="$work"
mkdir -m 700 "$XDG_RUNTIME_DIR"
make_world "$2"
start_display
unset SDL_AUDIODRIVER
cp "$(realpath "$1")" "$work/bin/grovekeep"
(cd / && exec "$work/bin/grovekeep" --window) &
game_pid=$!
wait_for "Run---" 20
wait_for "Sound: no audio device, playing silently" 1

# Into level 1, whose tune loops.
sleep 1
xdotool mousemove 512 245 click 1
sleep 0.5
xdotool mousemove 400 161 click 1

start_pulse
wait_for "Sound: the audio output is back" 5
level=$(loudness)
[ "$level" -gt 300 ] || fail "the tune did not reach the server started after the game (RMS $level)"
pactl list sink-inputs | grep -q 'application.name = "Grovekeep"' || fail "the stream is not named Grovekeep"
echo "server started after the game: RMS $level"

stop_pulse
wait_for "Sound: the audio output went away" 5
kill -0 "$game_pid" || fail "the game ended with its server"
restarted=$(date +%s%N)
start_pulse
wait_for "Sound: the audio output is back (pulseaudio)" 10
back=$(( ($(date +%s%N) - restarted) / 1000000 ))
level=$(loudness)
[ "$level" -gt 300 ] || fail "the tune did not come back with the server (RMS $level)"
echo "server restarted: sound back $back ms after the server was started again, RMS $level"

kill -TERM "$game_pid"
wait_for_end 10 "SIGTERM"
[ "$status" -eq 0 ] || fail "exit code $status after SIGTERM"
