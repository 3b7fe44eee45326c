#!/usr/bin/env bash
# Where the game cannot run it says so in one line on stderr and exits with status 1, writing
# nothing to stdout and leaving the terminal alone: stdin or stdout not a terminal, a
# terminal type curses does not know or one without cursor addressing, or no TERM at all.
# Usage: terminal_environment.sh [BUILD_DIR]   (default: build)
source "$(dirname "$0")/terminal_lib.sh" "${1:-build}"

# check_refusal NAME: $WORK/rc, $WORK/out and $WORK/err hold the run's status and output.
check_refusal() {
  local rc lines
  rc=$(cat "$WORK/rc")
  lines=$(wc -l <"$WORK/err")
  [[ $rc == 1 ]] && pass "status 1" || fail "status $rc, expected 1"
  [[ ! -s $WORK/out ]] && pass "nothing on stdout" ||
    fail "stdout not empty: $(od -c "$WORK/out" | head -3)"
  if [[ $lines == 1 ]] && grep -qi "$1" "$WORK/err"; then
    pass "one line on stderr: $(cat "$WORK/err")"
  else
    fail "stderr should be one line mentioning '$1', got: $(cat "$WORK/err")"
  fi
}

# Without tmux: stdin from /dev/null (stdout a file, and stdout a pipe).
CASE="stdin from /dev/null"
timeout 10 "$BIN" </dev/null >"$WORK/out" 2>"$WORK/err"
echo $? >"$WORK/rc"
check_refusal terminal
CASE="stdin from /dev/null, stdout a pipe"
timeout 10 "$BIN" </dev/null 2>"$WORK/err" | cat >"$WORK/out"
echo "${PIPESTATUS[0]}" >"$WORK/rc"
check_refusal terminal

# In a terminal, with stdout sent elsewhere, or with a terminal type nobody knows: the
# terminal's settings stay as they were.
refusal_in_pane() {
  local name=$1 redirect=$2 env=$3 word=$4
  CASE=$name
  tm kill-server >/dev/null 2>&1
  rm -f "$WORK/out" "$WORK/err" "$WORK/rc"
  tm new-session -d -s e2e -x 80 -y 25 "bash --norc --noprofile -i" || { fail "cannot start tmux"; return; }
  tm send-keys -t e2e "stty -g > $WORK/before; env $env $BIN $redirect 2> $WORK/err; echo \$? > $WORK/rc.tmp; stty -g > $WORK/after; mv $WORK/rc.tmp $WORK/rc" Enter
  wait_until 5 exited || { fail "did not end"; return; }
  check_refusal "$word"
  cmp -s "$WORK/before" "$WORK/after" && pass "terminal settings untouched" ||
    fail "terminal settings changed"
}
refusal_in_pane "stdout to a file" "> $WORK/out" "" terminal
refusal_in_pane "unknown terminal type" "" "TERM=no-such-terminal" no-such-terminal
refusal_in_pane "terminal that cannot move its cursor" "" "TERM=dumb" dumb
refusal_in_pane "TERM not set" "" "-u TERM" TERM

finish
