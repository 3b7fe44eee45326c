#!/usr/bin/env bash
# Measures the window front-end from outside, on a virtual X server (Xvfb, software only): CPU
# use while a page waits for a key (the opening story page), at the prompt (30 passes a second,
# the countdown redrawn each pass), and while a command is typed at about 8 keys a second; the
# X server's CPU in the same spans (its share of putting our pixels on the screen); and the
# game's peak memory (VmHWM).
# Usage: bench/window_measure.sh [BUILD_DIR] [SECONDS_PER_PHASE]   (defaults: build, 10)
# Needs: Xvfb, xdotool, Linux /proc.
set -eu
BUILD_DIR=${1:-build}
PHASE=${2:-10}
BIN=$(cd "$BUILD_DIR" && pwd)/ashwicket-window
[[ -x $BIN ]] || { echo "no executable at $BUILD_DIR/ashwicket-window" >&2; exit 1; }

WORK=$(mktemp -d /tmp/ashwicket-window-bench.XXXXXX)
XVFB_PID=
GAME_PID=
cleanup() {
  [[ -n $GAME_PID ]] && kill "$GAME_PID" 2>/dev/null
  [[ -n $XVFB_PID ]] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
exec 3>&-
for _ in $(seq 100); do [[ -s $WORK/display ]] && break; sleep 0.1; done
[[ -s $WORK/display ]] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -1 "$WORK/display")"
export DISPLAY

"$BIN" 2>"$WORK/game.err" &
GAME_PID=$!
WID=$(timeout 15 xdotool search --sync --name '^Ashwicket$' | head -1)
xdotool windowfocus --sync "$WID"

TICKS=$(getconf CLK_TCK)
cpu_ticks() {  # utime + stime of a process, in clock ticks
  local stat
  stat=$(<"/proc/$1/stat")
  stat=${stat##*) }
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12]))
}
now_ms() { date +%s%3N; }

# Runs "$@" (or just waits) for PHASE seconds; prints the CPU percentages of the game and Xvfb.
measure() {
  local label=$1
  shift
  local g0 x0 t0 g1 x1 t1
  g0=$(cpu_ticks "$GAME_PID")
  x0=$(cpu_ticks "$XVFB_PID")
  t0=$(now_ms)
  if (($#)); then "$@"; else sleep "$PHASE"; fi
  g1=$(cpu_ticks "$GAME_PID")
  x1=$(cpu_ticks "$XVFB_PID")
  t1=$(now_ms)
  awk -v label="$label" -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v ms=$((t1 - t0)) -v hz="$TICKS" \
    'BEGIN { printf "%-34s game %5.2f%% of a core, Xvfb %5.2f%% (%.1f s)\n", label,
             100 * g / hz / (ms / 1000), 100 * x / hz / (ms / 1000), ms / 1000 }'
}

# Types lower-case letters at ~8 keys a second for PHASE seconds, wiping them with Backspace.
type_for_a_while() {
  local end=$((SECONDS + PHASE))
  while ((SECONDS < end)); do
    xdotool type --delay 125 "present"
    for _ in 1 2 3 4 5 6 7; do xdotool key --delay 125 BackSpace; done
  done
}

sleep 1
measure "story page waiting for a key"
xdotool key x
sleep 1
measure "prompt, countdown running"
measure "prompt, typing ~8 keys/s" type_for_a_while
echo "peak memory (VmHWM): $(awk '/^VmHWM/ { print $2, $3 }' "/proc/$GAME_PID/status")"
