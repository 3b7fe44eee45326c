#!/usr/bin/env bash
# Measures the window front-end from outside, on a virtual X server (Xvfb, software only):
# start-up time from exec to the window and to its first drawn (not all black) frame; CPU use
# while a page waits for a key (the opening story page), at the prompt (30 passes a second,
# the countdown redrawn each pass), and while a command is typed at about 8 keys a second;
# the X server's CPU in the same spans (its share of putting our pixels on the screen); and
# the game's peak memory (VmHWM).
# Usage: bench/window_measure.sh [--figures] [BUILD_DIR] [SECONDS_PER_PHASE]   (defaults: build, 10)
#   --figures   print `name<TAB>value` lines on standard output for bench/run.sh, and the
#               usual report on standard error as progress
# Needs: Xvfb, xdotool, python3, Linux /proc; for the first frame libX11 (read through ctypes)
# or else xwd, without either that figure is left out.
set -eu
FIGURES=0
ARGS=()
for arg in "$@"; do
  case $arg in
    --figures) FIGURES=1 ;;
    -h | --help) sed -n '2,12s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) ARGS+=("$arg") ;;
  esac
done
BUILD_DIR=${ARGS[0]:-build}
PHASE=${ARGS[1]:-10}
BIN=$(cd "$BUILD_DIR" && pwd)/ashwicket-window
[[ -x $BIN ]] || { echo "no executable at $BUILD_DIR/ashwicket-window" >&2; exit 1; }
BENCH_DIR=$(cd "$(dirname "$0")" && pwd)

say() { if ((FIGURES)); then echo "$*" >&2; else echo "$*"; fi; }
figure() { if ((FIGURES)); then printf '%s\t%s\n' "$1" "$2"; fi; }

WORK=$(mktemp -d /tmp/ashwicket-window-bench.XXXXXX)
XVFB_PID=
GAME_PID=
cleanup() {
  [[ -n $GAME_PID ]] && kill "$GAME_PID" 2>/dev/null
  [[ -n $XVFB_PID ]] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  # The game may not be our child (the start-up probe launched it): give it a moment to go.
  for _ in $(seq 20); do [[ -n $GAME_PID && -e /proc/$GAME_PID ]] || break; sleep 0.1; done
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

# Start-up: the probe starts the game itself, so that the clock starts at the fork, and polls
# for the window and then for a capture of it that is not all black. It prints the game's pid,
# then the milliseconds to the window and to the first drawn frame ("-" if not seen).
python3 - "$BIN" "$WORK/game.err" "$BENCH_DIR" >"$WORK/startup" <<'PYTHON'
import shutil, subprocess, sys, time
binary, errors, bench_dir = sys.argv[1:4]
sys.dont_write_bytecode = True  # leave no __pycache__ in the checkout
sys.path.insert(0, bench_dir)
import benchlib

def run(*argv):
    return subprocess.run(argv, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout

try:
    capture = benchlib.XCapture().has_drawing
except OSError:
    capture = None
    if shutil.which("xwd"):
        def capture(window):
            try:
                return benchlib.xwd_has_drawing(run("xwd", "-silent", "-id", str(window)))
            except ValueError:
                return None  # not mapped yet
started = time.monotonic()
game = subprocess.Popen([binary], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                        stderr=open(errors, "wb"))
window = window_ms = frame_ms = None
polls = 0
while time.monotonic() - started < 15 and game.poll() is None:
    if window is None:
        found = run("xdotool", "search", "--name", "^Ashwicket$").split()
        if found:
            window = int(found[0])
            window_ms = (time.monotonic() - started) * 1000.0
    if window is not None:
        if capture is None:
            break
        polls += 1
        if capture(window):
            frame_ms = (time.monotonic() - started) * 1000.0
            break
    time.sleep(0.005)
interval = (frame_ms - window_ms) / polls if frame_ms is not None and polls else None
print(game.pid)
print(f"{window_ms:.1f}" if window_ms is not None else "-")
print(f"{frame_ms:.1f}" if frame_ms is not None else "-")
print(f"{interval:.1f}" if interval is not None else "-")
PYTHON
{ read -r GAME_PID; read -r WINDOW_MS; read -r FRAME_MS; read -r POLL_MS; } <"$WORK/startup"
if [[ $WINDOW_MS == - ]]; then
  echo "the window did not appear within 15 s:" >&2
  cat "$WORK/game.err" >&2
  exit 1
fi
if [[ $FRAME_MS == - ]]; then
  say "start-up, exec to the window: $WINDOW_MS ms; first drawn frame: not measured"
  figure note "window start-up to the first frame not measured (neither libX11 nor xwd to read the window, or nothing drawn in 15 s)"
else
  say "start-up, exec to the window: $WINDOW_MS ms, to its first drawn frame: $FRAME_MS ms (captures every ~$POLL_MS ms)"
  figure win.startup_frame_ms "$FRAME_MS"
fi
figure win.startup_window_ms "$WINDOW_MS"

WID=$(timeout 15 xdotool search --sync --name '^Ashwicket$' | head -1)
xdotool windowfocus --sync "$WID"

TICKS=$(getconf CLK_TCK)
cpu_ns() {  # CPU time of every thread of a process so far, in nanoseconds
  local total=0 ns _ task stat
  if [[ -e /proc/self/schedstat ]]; then
    for task in /proc/"$1"/task/*/schedstat; do
      read -r ns _ <"$task" 2>/dev/null && total=$((total + ns))
    done
    echo "$total"
  else  # utime + stime, in clock ticks
    stat=$(<"/proc/$1/stat")
    stat=${stat##*) }
    read -r -a fields <<<"$stat"
    echo $(((fields[11] + fields[12]) * 1000000000 / TICKS))
  fi
}
now_ms() { date +%s%3N; }

# Runs "$@" (or just waits) for PHASE seconds; reports the CPU percentages of the game and Xvfb
# as figures NAME_cpu_pct and NAME_xvfb_pct.
measure() {
  local label=$1 name=$2
  shift 2
  local g0 x0 t0 g1 x1 t1
  g0=$(cpu_ns "$GAME_PID")
  x0=$(cpu_ns "$XVFB_PID")
  t0=$(now_ms)
  if (($#)); then "$@"; else sleep "$PHASE"; fi
  [[ -e /proc/$GAME_PID ]] || { echo "the game ended while being measured" >&2; exit 1; }
  g1=$(cpu_ns "$GAME_PID")
  x1=$(cpu_ns "$XVFB_PID")
  t1=$(now_ms)
  local game xvfb
  read -r game xvfb < <(awk -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v ms=$((t1 - t0)) \
    'BEGIN { printf "%.3f %.3f\n", 100 * g / 1e6 / ms, 100 * x / 1e6 / ms }')
  say "$(printf '%-34s game %5.2f%% of a core, Xvfb %5.2f%% (%.1f s)' "$label" "$game" "$xvfb" \
    "$(awk -v ms=$((t1 - t0)) 'BEGIN { print ms / 1000 }')")"
  figure "${name}_cpu_pct" "$game"
  figure "${name}_xvfb_pct" "$xvfb"
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
measure "story page waiting for a key" win.page_wait
xdotool key x
sleep 1
measure "prompt, countdown running" win.prompt
measure "prompt, typing ~8 keys/s" win.typing type_for_a_while
HWM=$(awk '/^VmHWM/ { print $2 }' "/proc/$GAME_PID/status")
say "peak memory (VmHWM): $HWM kB"
figure win.peak_kb "$HWM"
