#!/usr/bin/env bash
# Terminal size: at 80x24 (tmux ignores the request to resize) a notice says what the
# terminal has and what it needs; at 80x25 the game appears and goes on, and shrinking or
# growing the terminal mid-game keeps the game's state. A larger terminal shows the game at
# the top-left with the rest blank.
# Then, in a bare pseudo-terminal: the game asks the terminal once to resize itself to 80x25
# (CSI 8;25;80 t) when it is smaller, and never when it fits; a terminal that honours the
# request goes straight to the game, without the notice.
# Usage: terminal_resize.sh [BUILD_DIR]   (default: build)
# Needs python3 besides tmux.
source "$(dirname "$0")/terminal_lib.sh" "${1:-build}"

notice_shown() { screen_has "80 columns by 25 rows" && screen_has "$1 columns by $2 rows"; }

start_game "starts at 80x24" 80 24
if wait_until 5 notice_shown 80 24; then pass "size notice names 80x24 and 80x25"; else fail "no size notice"; fi
screen_has "Sunday, August" && fail "the game shows through the notice"
tm send-keys -t e2e x  # a key the player cannot see the effect of: dropped
sleep 0.3
tm resize-window -t e2e -x 80 -y 25
if wait_until 5 row_starts_with 3 "Sunday, August 20th, 1988."; then
  pass "grown to 80x25: the opening page"
else
  fail "no opening page at 80x25"
fi
sleep 0.7
row_starts_with 3 "Sunday, August 20th, 1988." && pass "the key typed blind was not taken" ||
  fail "the key typed under the notice left the opening page"
enter_game
tm send-keys -t e2e -l "lo"
wait_until 5 prompt_is "LO" || fail "typed line not shown"

tm resize-window -t e2e -x 79 -y 30
if wait_until 5 notice_shown 79 30; then pass "too narrow: notice"; else fail "no notice at 79x30"; fi
tm resize-window -t e2e -x 100 -y 30
if wait_until 5 prompt_is "LO"; then pass "grown to 100x30: the game is back with its typed line"; else fail "game not back at 100x30"; fi
if screen_has "If you are stuck just type HELP." && [[ -z $(screen_text | sed -n '26,30p' | tr -d ' \n') ]] &&
  [[ -z $(screen_text | cut -c81- | tr -d ' \n') ]]; then
  pass "game at the top-left, the rest blank"
else
  fail "game not at the top-left of a blank 100x30"
fi
rest=$(tm capture-pane -p -e -t e2e -S 27 -E 27)
[[ $rest == *"48;5;16"* ]] && pass "the rest is explicit black" || fail "the rest is not black: $(printf '%q' "$rest")"

tm send-keys -t e2e BSpace BSpace
wait_until 5 prompt_is "" || fail "keys do not reach the game after resizing"
quit_game "after resizing"

# pty_run ROWS HONOUR: runs the game for two seconds in a pseudo-terminal of 80 columns,
# resizing it to 80x25 when asked to if HONOUR is 1; prints what it saw.
pty_run() {
  python3 - "$BIN" "$1" "$2" <<'PYTHON'
import fcntl, os, pty, select, signal, struct, sys, termios, time
binary, rows, honour = sys.argv[1], int(sys.argv[2]), sys.argv[3] == "1"
request = b"\x1b[8;25;80t"
master, slave = pty.openpty()
fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", rows, 80, 0, 0))
pid = os.fork()
if pid == 0:  # a session of its own with the pty as its terminal, sized before it starts
    os.setsid()
    fcntl.ioctl(slave, termios.TIOCSCTTY, 0)
    for fd in (0, 1, 2):
        os.dup2(slave, fd)
    os.environ["TERM"] = "xterm-256color"
    os.execv(binary, [binary])
os.close(slave)
out, resized, end = b"", False, time.monotonic() + 2
while time.monotonic() < end:
    if select.select([master], [], [], 0.05)[0]:
        try:
            out += os.read(master, 65536)
        except OSError:
            break
    if honour and not resized and request in out:
        fcntl.ioctl(master, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
        resized = True
os.kill(pid, signal.SIGTERM)
os.waitpid(pid, 0)
print(f"requests={out.count(request)} notice={int(b'needs a terminal' in out)} "
      f"story={int(b'Sunday, August' in out)}")
PYTHON
}

CASE="terminal honours the resize request"
seen=$(pty_run 24 1)
[[ $seen == "requests=1 notice=0 story=1" ]] && pass "asked once, then straight to the game ($seen)" ||
  fail "expected one request and the game without the notice, saw: $seen"
CASE="terminal ignores the resize request"
seen=$(pty_run 24 0)
[[ $seen == "requests=1 notice=1 story=0" ]] && pass "asked once, then the notice ($seen)" ||
  fail "expected one request and the notice, saw: $seen"
CASE="terminal already 80x25"
seen=$(pty_run 25 0)
[[ $seen == "requests=0 notice=0 story=1" ]] && pass "no request ($seen)" ||
  fail "expected no request, saw: $seen"

finish
