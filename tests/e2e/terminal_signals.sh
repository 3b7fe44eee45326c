#!/usr/bin/env bash
# Every way the game can be stopped from outside gives the terminal back: the ending signals
# end the process by that same signal (the shell sees 128 + signal) with the terminal's
# settings, screen and cursor as before; a crash signal too; Ctrl-Z suspends with the
# terminal restored and fg brings the game back, redrawn and still playable.
# Usage: terminal_signals.sh [BUILD_DIR]   (default: build)
source "$(dirname "$0")/terminal_lib.sh" "${1:-build}"

stopped() { [[ $(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) == T ]]; }

shell_screen_back() {
  wait_until 3 screen_has "record.sh" && [[ $(tm display-message -p -t e2e '#{cursor_flag}') == 1 ]]
}

# how: "kill SIGNAL" sends it with kill(1), anything else is a key for send-keys.
# where: "page" (the opening page waits for a key) or "prompt" (the countdown runs).
check_ending() {
  local name=$1 how=$2 where=$3 status=$4
  start_game "$name at the $where" 80 25
  expect_opening_page || return
  if [[ $where == prompt ]]; then enter_game || return; fi
  sleep 0.3
  if [[ $how == kill\ * ]]; then
    local pid
    pid=$(game_pid)
    [[ -n $pid ]] || { fail "no game process"; return; }
    kill -s "${how#kill }" "$pid"
  else
    tm send-keys -t e2e "$how"
  fi
  expect_exit "$status"
  if shell_screen_back; then pass "shell screen and cursor back"; else fail "screen or cursor not restored"; fi
}

check_ending SIGTERM "kill TERM" prompt 143
check_ending SIGTERM "kill TERM" page 143
check_ending SIGINT C-c prompt 130
check_ending SIGQUIT 'C-\' page 131
check_ending SIGHUP "kill HUP" prompt 129
check_ending SIGSEGV "kill SEGV" prompt 139
check_ending SIGABRT "kill ABRT" page 134

# Ctrl-Z: the shell gets the terminal back as it was; fg redraws the game where it was.
start_game "Ctrl-Z and fg" 80 25
expect_opening_page
enter_game
tm send-keys -t e2e -l "lo"
wait_until 5 prompt_is "LO" || fail "typing before Ctrl-Z did not show"
tm send-keys -t e2e C-z
# (The shell's "Stopped" line can land on the game's screen just before the game leaves it,
# since the recorder stops first; so look at the process instead.)
pid=$(game_pid)
if wait_until 5 stopped "$pid"; then pass "Ctrl-Z stopped the game"; else fail "Ctrl-Z did not stop the game"; fi
tm send-keys -t e2e "stty -g > $WORK/suspended" Enter
wait_until 5 test -s "$WORK/suspended" || fail "shell did not run stty"
if cmp -s "$WORK/before" "$WORK/suspended"; then
  pass "terminal settings restored while suspended"
else
  fail "settings while suspended differ: $(cat "$WORK/suspended")"
fi
[[ $(tm display-message -p -t e2e '#{cursor_flag}') == 1 ]] && pass "cursor shown while suspended" ||
  fail "cursor hidden while suspended"
tm send-keys -t e2e "clear; fg" Enter
if wait_until 5 prompt_is "LO" && wait_until 1 screen_has "If you are stuck just type HELP."; then
  pass "fg redrew the game with the typed line kept"
else
  fail "fg did not redraw the game"
fi
row=$(screen_text | grep -n "If you are stuck" | cut -d: -f1)
styled=$(tm capture-pane -p -e -t e2e -S $((row - 1)) -E $((row - 1)))
[[ $styled == *"38;5;240"* && $styled == *"48;5;16"* ]] && pass "colours right after fg" ||
  fail "colours wrong after fg: $(printf '%q' "$styled")"
countdown() { screen_row 2 | tr -d ' '; }
first=$(countdown)
sleep 0.5
[[ $(countdown) != "$first" ]] && pass "countdown runs again" || fail "countdown frozen at $first"
[[ $(tm display-message -p -t e2e '#{cursor_flag}') == 0 ]] && pass "cursor hidden again" ||
  fail "cursor shown after fg"
tm send-keys -t e2e BSpace BSpace
wait_until 5 prompt_is "" || fail "keys do not reach the game after fg"
quit_game "after fg"

# Killed while suspended: it ends by the signal from the background, without stopping again
# to touch the terminal, which the shell already has back as it was.
start_game "killed while suspended" 80 25
expect_opening_page
pid=$(game_pid)
tm send-keys -t e2e C-z
wait_until 5 stopped "$pid" || fail "Ctrl-Z did not stop the game"
tm send-keys -t e2e "kill %1" Enter
if wait_until 5 exited; then
  rc=$(cat "$WORK/rc")
  [[ $rc == 143 ]] && pass "exit status 143" || fail "exit status $rc, expected 143"
else
  fail "the game did not end (stopped again?)"
fi
tm send-keys -t e2e "stty -g > $WORK/shell_after" Enter
if wait_until 5 test -s "$WORK/shell_after" && cmp -s "$WORK/before" "$WORK/shell_after"; then
  pass "the shell's terminal settings are as before"
else
  fail "terminal settings changed: $(cat "$WORK/shell_after" 2>/dev/null)"
fi

finish
