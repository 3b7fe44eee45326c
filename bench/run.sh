#!/usr/bin/env bash
# One table of the whole game's costs, measured from outside on the built binaries: the
# terminal front-end in a pty, the window front-end on Xvfb, and the headless soak driver.
# Builds nothing; see bench/README.md for what each figure means.
# Usage: bench/run.sh [BUILD_DIR] [SECONDS_PER_PHASE]   (defaults: build, 10)
# BENCH_TERM picks the terminal type for the terminal rows (default xterm-256color).
# Exit status: 0 every measured figure met its goal, 1 one did not or a measurement failed,
# 2 nothing to measure. Rows skipped for a missing binary or tool are noted, not failed.
set -u
BENCH_DIR=$(cd "$(dirname "$0")" && pwd)
case ${1:-} in -h | --help) sed -n '2,8s/^# \{0,1\}//p' "$0"; exit 0 ;; esac
BUILD_DIR=${1:-build}
PHASE=${2:-10}
if ! [[ $PHASE =~ ^[0-9]+([.][0-9]+)?$ ]] || [[ $PHASE =~ ^0+([.]0*)?$ ]]; then
  echo "bench/run.sh: SECONDS_PER_PHASE must be a positive number, not '$PHASE'" >&2
  exit 2
fi
if [[ ! -x $BUILD_DIR/ashwicket ]]; then
  cat >&2 <<EOF
bench/run.sh: no $BUILD_DIR/ashwicket to measure. Build first, e.g.:
  cmake -S . -B $BUILD_DIR -DCMAKE_BUILD_TYPE=RelWithDebInfo && cmake --build $BUILD_DIR
EOF
  exit 2
fi

WORK=$(mktemp -d /tmp/ashwicket-bench.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
NOTES=$WORK/notes.tsv
: >"$NOTES"
note() { printf 'note\t%s\n' "$*" >>"$NOTES"; }
FAILED=0
FILES=("$NOTES")
LOAD_BEFORE=$(cut -d' ' -f1 /proc/loadavg)

echo "== terminal: bin $BUILD_DIR/ashwicket, $PHASE s a phase (about $(awk -v p="$PHASE" 'BEGIN { print int(4 * p + 8) }') s)" >&2
if ! "$BENCH_DIR/terminal_measure.sh" --figures "$BUILD_DIR" "$PHASE" >"$WORK/terminal.tsv"; then
  note "the terminal measurement stopped early (its message is above the table)"
  FAILED=1
fi
FILES+=("$WORK/terminal.tsv")

if [[ ! -x $BUILD_DIR/ashwicket-window ]]; then
  note "window rows skipped: no $BUILD_DIR/ashwicket-window"
elif ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  note "window rows skipped: they need Xvfb and xdotool"
else
  echo "== window: bin $BUILD_DIR/ashwicket-window on Xvfb (about $(awk -v p="$PHASE" 'BEGIN { print int(3 * p + 4) }') s)" >&2
  if ! "$BENCH_DIR/window_measure.sh" --figures "$BUILD_DIR" "$PHASE" >"$WORK/window.tsv"; then
    note "the window measurement stopped early (its message is above the table)"
    FAILED=1
  fi
  FILES+=("$WORK/window.tsv")
fi

SOAK=()
if [[ ! -x $BUILD_DIR/ashwicket_soak ]]; then
  note "headless row skipped: no $BUILD_DIR/ashwicket_soak"
else
  echo "== headless: $BUILD_DIR/ashwicket_soak --seed 1 --keys 200000" >&2
  "$BUILD_DIR/ashwicket_soak" --seed 1 --keys 200000 >"$WORK/soak.txt"
  status=$?
  tail -n 1 "$WORK/soak.txt" >&2
  if ((status != 0)); then
    note "the soak driver ended with status $status (a game rule broke; see its report)"
    FAILED=1
  fi
  SOAK=(--soak "$WORK/soak.txt")
fi
echo >&2

BUILD_TYPE=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$BUILD_DIR/CMakeCache.txt" 2>/dev/null)
TITLE="Ashwicket costs: $BUILD_DIR (${BUILD_TYPE:-build type unknown}), $PHASE s a phase, TERM=${BENCH_TERM:-xterm-256color}, $(nproc) CPUs, load average ${LOAD_BEFORE} before, $(cut -d' ' -f1 /proc/loadavg) after"
python3 "$BENCH_DIR/figures_table.py" --title "$TITLE" "${SOAK[@]}" "${FILES[@]}" || FAILED=1
exit "$FAILED"
