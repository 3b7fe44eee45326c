#!/usr/bin/env bash
# shellcheck disable=SC2015  # "check && pass || fail" is safe: pass always succeeds
# The desktop window version end to end, on a virtual X server with no window manager: the real
# build/ashwicket-window is started, its window's pixels are read back with screenshots and keys
# are sent to it with xdotool.
#
#  - without a display: one line on stderr, status 1;
#  - the window: titled Ashwicket, 1280x800 (2x) at start, the story page in dark grey on black,
#    nothing but exact palette colours and every screen pixel a sharp 2x2 square;
#  - Alt+Enter does not reach the game; resizing keeps whole-number scales, centred, black bars;
#  - the prompt's countdown keeps moving on the screen; held keys repeat;
#  - a short win: any key, s, e, "present evidence", a blue page in yellow, the closing pages,
#    EndGame's line on row 25, then the process ends with status 0;
#  - closing the window (the window manager's request, and Alt+F4) ends it with status 0;
#  - under a real window manager: full screen through it, and its close.
#
# Usage: window_play.sh BUILD_DIR
# Needs Xvfb, xdotool and ImageMagick (import, convert, compare); a C compiler with the Xlib
# headers for the close-button check, and openbox with wmctrl for the checks under a window
# manager (each skipped without them).
set -uo pipefail

BUILD=${1:?usage: window_play.sh BUILD_DIR}
EXE=$(cd "$BUILD" && pwd)/ashwicket-window
WORK=$(mktemp -d /tmp/ashwicket-window-e2e.XXXXXX)
PASSED=0
FAILED=0
XVFB_PID=
GAME_PID=

rm -f "$BUILD"/window_e2e_failure_*.png  # from an earlier run
pass() { echo "ok   $*"; PASSED=$((PASSED + 1)); }
fail() {
  echo "FAIL $*"
  FAILED=$((FAILED + 1))
  # Keep the last screenshot for a look.
  if [[ -f $WORK/shot.png ]]; then
    cp "$WORK/shot.png" "$BUILD/window_e2e_failure_$FAILED.png" 2>/dev/null &&
      echo "     screenshot kept in $BUILD/window_e2e_failure_$FAILED.png"
  fi
}
skip() { echo "skip $*"; }

cleanup() {
  [[ -n $GAME_PID ]] && kill "$GAME_PID" 2>/dev/null
  [[ -n $XVFB_PID ]] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

for tool in Xvfb xdotool import convert compare; do
  if ! command -v "$tool" >/dev/null; then
    echo "FAIL $tool is not installed (Debian: xvfb, xdotool, imagemagick)"
    echo "0 passed, 1 failed"
    exit 1
  fi
done
if [[ ! -x $EXE ]]; then
  echo "FAIL $EXE has not been built"
  echo "0 passed, 1 failed"
  exit 1
fi

# --- Without a display ---------------------------------------------------------------------
env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$EXE" >"$WORK/out" 2>"$WORK/err"
status=$?
lines=$(wc -l <"$WORK/err")
if [[ $status == 1 && $lines == 1 && ! -s $WORK/out ]] && grep -q 'display' "$WORK/err"; then
  pass "no display: status 1 and one line: $(cat "$WORK/err")"
else
  fail "no display: status $status, $lines line(s) on stderr: $(head -c 300 "$WORK/err")"
fi

# --- A virtual screen with room for the 2x window ------------------------------------------
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
exec 3>&-
for _ in $(seq 100); do [[ -s $WORK/display ]] && break; sleep 0.1; done
if [[ ! -s $WORK/display ]]; then
  echo "FAIL Xvfb did not start: $(cat "$WORK/xvfb.log")"
  echo "0 passed, 1 failed"
  exit 1
fi
DISPLAY=":$(head -1 "$WORK/display")"
export DISPLAY

WID=
start_game() {
  "$EXE" >"$WORK/game.out" 2>"$WORK/game.err" &
  GAME_PID=$!
  WID=$(timeout 15 xdotool search --sync --name '^Ashwicket$' 2>/dev/null | head -1)
  if [[ -z $WID ]]; then
    fail "no window titled Ashwicket appeared"
    return 1
  fi
  xdotool windowfocus --sync "$WID"
}

# Waits up to $1 seconds for the game to end; sets STATUS ("running" if it did not end).
STATUS=
wait_for_exit() {
  local deadline=$((SECONDS + $1))
  while kill -0 "$GAME_PID" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.1; done
  if kill -0 "$GAME_PID" 2>/dev/null; then
    STATUS=running
  else
    wait "$GAME_PID"
    STATUS=$?
    GAME_PID=
  fi
}

shot() { import -window "$WID" "$WORK/shot.png" 2>/dev/null; }
# The colours in an area of the last screenshot (WxH+X+Y, default all), as "r,g,b r,g,b ...".
colours() {
  convert "$WORK/shot.png" ${1:+-crop "$1" +repage} -format %c histogram:info:- |
    sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+)[,)].*/\1,\2,\3/' | sort -t, -n -k1,1 -k2,2 -k3,3 |
    tr '\n' ' ' | sed 's/ $//'
}
has_colour() { [[ " $(colours "$2") " == *" $1 "* ]]; }
size() { identify -format '%wx%h' "$WORK/shot.png"; }
# Rows and columns of the screen at scale 2 with no bars, as crop geometry.
cells() {  # first_row last_row [first_column last_column]
  local r1=$1 r2=$2 c1=${3:-1} c2=${4:-80}
  echo "$(((c2 - c1 + 1) * 16))x$(((r2 - r1 + 1) * 32))+$(((c1 - 1) * 16))+$(((r1 - 1) * 32))"
}
# Repeats a check with fresh screenshots for up to $1 seconds.
eventually() {
  local deadline=$((SECONDS + $1))
  shift
  while :; do
    shot
    "$@" && return 0
    ((SECONDS >= deadline)) && return 1
    sleep 0.2
  done
}
# Every screen pixel a 2x2 square of one colour: halving and doubling by sampling changes nothing.
sharp_at_2x() {
  convert "$WORK/shot.png" -sample 50% -sample 200% "$WORK/resampled.png"
  [[ $(compare -metric AE "$WORK/shot.png" "$WORK/resampled.png" null: 2>&1) == 0 ]]
}
same_image() { [[ $(compare -metric AE "$1" "$2" null: 2>&1) == 0 ]]; }

# The window is w x h and shows the story page at scale s, centred, with only black around it.
page_at() {
  local w=$1 h=$2 s=$3
  local x=$(((w - 640 * s) / 2)) y=$(((h - 400 * s) / 2))
  [[ $(size) == "${w}x$h" ]] || return 1
  convert "$WORK/shot.png" -crop "$((640 * s))x$((400 * s))+$x+$y" +repage -sample "$((100 / s))%" \
    "$WORK/inner.png"
  same_image "$WORK/inner.png" "$WORK/story_1x.png" || return 1
  local outside
  outside=$(convert "$WORK/shot.png" -fill black \
    -draw "rectangle $x,$y $((x + 640 * s - 1)),$((y + 400 * s - 1))" -format %c histogram:info:- | wc -l)
  [[ $outside == 1 ]]
}

# Back to 1280x800 showing the story page as at the start. The window manager's frame may push
# an edge of it off the screen, so the part a screenshot sees is compared.
back_to_window() {
  [[ $(xdotool getwindowgeometry "$WID") == *"Geometry: 1280x800"* ]] || return 1
  convert "$WORK/story.png" -crop "$(size)+0+0" +repage "$WORK/story_part.png"
  same_image "$WORK/shot.png" "$WORK/story_part.png"
}

story_page() { [[ $(colours) == "0,0,0 85,85,85" ]] && has_colour 85,85,85 "$(cells 3 3)"; }
countdown_shown() { has_colour 85,85,85 "$(cells 2 2 32 42)"; }
blue_page() { [[ $(colours) == "0,0,170 255,255,85" ]]; }
# The first closing page fills rows 1-16; the second only rows 1-8; EndGame writes on row 25.
second_page() { blue_page && ! has_colour 255,255,85 "$(cells 9 16)"; }
# Rows 3-25 as in before.png, taken before some keys.
rows_as_before() {
  convert "$WORK/shot.png" -crop "$(cells 3 25)" +repage "$WORK/after.png"
  same_image "$WORK/before.png" "$WORK/after.png"
}
# Rows 3-25 differ from before.png (taken before a command) and the prompt is back.
moved() { ! rows_as_before && countdown_shown; }
end_line() { blue_page && has_colour 255,255,85 "$(cells 25 25)"; }

# --- The window and the story page ---------------------------------------------------------
if start_game; then
  pass "a window titled Ashwicket"
  if eventually 10 story_page; then
    pass "story page: dark grey (85,85,85) on black, nothing else, from row 3"
  else
    fail "story page: colours $(colours)"
  fi
  [[ $(size) == 1280x800 ]] && pass "window starts at 2x: 1280x800" || fail "window is $(size)"
  sharp_at_2x && pass "sharp glyphs: every pixel a 2x2 square" || fail "blurred or uneven pixels"
  cp "$WORK/shot.png" "$WORK/story.png"

  convert "$WORK/story.png" -sample 50% "$WORK/story_1x.png"

  # Full screen and back. With no window manager the window covers the display by itself.
  xdotool key alt+Return
  if eventually 5 page_at 1280 1024 2; then
    pass "Alt+Enter: full screen 1280x1024, the page at 2x between black bars, no key for the game"
  else
    fail "Alt+Enter: no full-screen page (window $(size))"
  fi
  xdotool key alt+Return
  if eventually 5 same_image "$WORK/shot.png" "$WORK/story.png"; then
    pass "Alt+Enter again: the window as it was"
  else
    fail "Alt+Enter again: the window did not come back as it was ($(size))"
  fi

  # Resizing: 1x centred with black bars, 2x with bars, and back, never distorted.
  xdotool windowmove --sync "$WID" 0 0  # all of it on the screen, for the screenshots
  for size_case in "1000 700 1" "1280 1024 2" "1279 1024 1" "1280 800 2"; do
    read -r w h s <<<"$size_case"
    xdotool windowsize --sync "$WID" "$w" "$h"
    if eventually 5 page_at "$w" "$h" "$s"; then
      pass "resized to ${w}x$h: the page at ${s}x, centred, black around it"
    else
      fail "resized to ${w}x$h: expected the page at ${s}x, centred (got $(size))"
    fi
  done

  # --- A short win ---------------------------------------------------------------------------
  xdotool key x
  if eventually 10 countdown_shown; then
    pass "a key leaves the story page: countdown on row 2"
  else
    fail "no countdown on row 2 after a key"
  fi
  convert "$WORK/shot.png" -crop "$(cells 2 2 32 42)" +repage "$WORK/count1.png"
  sleep 1.2
  shot
  convert "$WORK/shot.png" -crop "$(cells 2 2 32 42)" +repage "$WORK/count2.png"
  if ! same_image "$WORK/count1.png" "$WORK/count2.png"; then
    pass "the countdown moves on the screen while the prompt waits"
  else
    fail "the countdown did not change in 1.2 s"
  fi

  # A held key repeats as the system repeats it: the echo grows by many letters, and a held
  # Backspace takes them all away again.
  convert "$WORK/shot.png" -crop "$(cells 3 25)" +repage "$WORK/before.png"
  xdotool keydown a
  sleep 1.5
  xdotool keyup a
  sleep 1.5
  shot
  convert "$WORK/shot.png" -crop "$(cells 3 25)" +repage "$WORK/after.png"
  grown=$(convert "$WORK/before.png" "$WORK/after.png" -compose difference -composite -trim \
    -format %w info:)
  if ((grown >= 5 * 16)); then
    pass "a held key repeats: the echo grew by $((grown / 16)) columns"
  else
    fail "a held key did not repeat: the echo grew by $grown pixels"
  fi
  xdotool keydown BackSpace
  sleep 2.5
  xdotool keyup BackSpace
  eventually 10 rows_as_before && pass "a held Backspace repeats: the line is empty again" ||
    fail "a held Backspace left the line as it was"

  # Each move changes what the rows below the countdown show; the accusation needs both.
  for move in s e; do
    convert "$WORK/shot.png" -crop "$(cells 3 25)" +repage "$WORK/before.png"
    xdotool type --delay 120 "$move"
    xdotool key Return
    if eventually 10 moved; then
      pass "\"$move\" Enter: a new room"
    else
      fail "\"$move\" Enter: the screen stayed the same"
    fi
    sleep 0.5
  done
  xdotool type --delay 120 "present evidence"
  xdotool key Return
  if eventually 10 blue_page && ! second_page; then
    pass "present evidence: blue (0,0,170) page with yellow (255,255,85) text, nothing else"
    sharp_at_2x && pass "blue page: sharp glyphs" || fail "blue page: blurred or uneven pixels"
  else
    fail "present evidence: colours $(colours)"
  fi
  xdotool key space
  eventually 10 second_page && pass "a key: the second closing page" ||
    fail "no second closing page (colours $(colours))"
  xdotool key space
  eventually 10 end_line && pass "a key: EndGame's line on row 25" || fail "no line on row 25"
  xdotool key space
  wait_for_exit 10
  if [[ $STATUS == 0 ]]; then
    pass "a last key ends the game with status 0"
  else
    fail "after the last key: status $STATUS"
  fi
  [[ ! -s $WORK/game.err ]] && pass "nothing on stderr" || fail "stderr: $(head -c 300 "$WORK/game.err")"
fi

# --- Closing the window --------------------------------------------------------------------
# What a window manager does for the close button: a WM_DELETE_WINDOW message to the window.
CLOSER=$WORK/close_window
cat >"$WORK/close_window.c" <<'EOF'
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv) {
  Display* display = XOpenDisplay(NULL);
  if (!display || argc != 2) return 2;
  XEvent event = {0};
  event.xclient.type = ClientMessage;
  event.xclient.window = (Window)strtoul(argv[1], NULL, 0);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(display);
  return 0;
}
EOF
if cc -o "$CLOSER" "$WORK/close_window.c" -lX11 2>/dev/null; then
  if start_game; then
    eventually 10 story_page
    "$CLOSER" "$WID"
    wait_for_exit 10
    [[ $STATUS == 0 ]] && pass "the close button's request ends the game with status 0" ||
      fail "close request: status $STATUS"
  fi
else
  skip "close button: no C compiler with Xlib headers to send the request"
fi

if start_game; then
  eventually 10 story_page
  xdotool key x
  eventually 10 countdown_shown
  xdotool key alt+F4
  wait_for_exit 10
  [[ $STATUS == 0 ]] && pass "Alt+F4 at the prompt ends the game with status 0" ||
    fail "Alt+F4: status $STATUS"
fi

# --- Under a window manager, where there is one to run -------------------------------------
if command -v openbox >/dev/null && command -v wmctrl >/dev/null; then
  openbox >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && wmctrl -l >/dev/null 2>&1 && break; sleep 0.1; done
  if start_game && eventually 10 story_page; then
    xdotool key alt+Return
    if eventually 5 page_at 1280 1024 2; then
      pass "window manager: Alt+Enter makes the window full screen, page at 2x between bars"
    else
      fail "window manager: no full-screen page (window $(size))"
    fi
    xdotool key alt+Return
    if eventually 5 back_to_window; then
      pass "window manager: Alt+Enter again gives the window back"
    else
      fail "window manager: not back to the window ($(size))"
    fi
    wmctrl -c Ashwicket
    wait_for_exit 10
    if [[ $STATUS == 0 ]]; then
      pass "window manager: closing the window ends the game with status 0"
    else
      fail "window manager close: status $STATUS; openbox $(kill -0 "$WM_PID" 2>/dev/null &&
        echo running || echo gone): $(head -c 300 "$WORK/openbox.log")"
    fi
  fi
  kill "$WM_PID" 2>/dev/null
  wait "$WM_PID" 2>/dev/null
else
  skip "under a window manager: openbox and wmctrl are not installed"
fi

echo "$PASSED passed, $FAILED failed"
((FAILED == 0))
