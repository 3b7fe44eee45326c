# Shared helpers for the terminal front-end's end-to-end scripts: sourced, not run.
#
# Each script starts its own tmux server on a private socket, runs build/ashwicket in a pane
# under a plain bash that records the terminal's settings before and after and the exit
# status, drives it with send-keys and reads it back with capture-pane.
#
# Needs: bash, tmux (3.x), coreutils (stty, timeout, mktemp), procps (pgrep), awk, cmp (diffutils);
# the binary at $BUILD_DIR/ashwicket.

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  echo "terminal_lib.sh holds helpers for the terminal_*.sh scripts; nothing to run." >&2
  exit 0
fi

set -u
unset TMUX  # our own server on its own socket, whether or not we run inside tmux

BUILD_DIR=${1:-build}
BIN=$(cd "$BUILD_DIR" 2>/dev/null && pwd)/ashwicket
if [[ ! -x "$BIN" ]]; then
  echo "FAIL: no executable at $BUILD_DIR/ashwicket" >&2
  exit 1
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/ashwicket-e2e.XXXXXX")
SOCKET="ashwicket-e2e-$$"
FAILURES=0
CASE="(setup)"

cat >"$WORK/tmux.conf" <<'CONF'
set -g default-terminal tmux-256color
set -g status off
CONF

tm() { tmux -L "$SOCKET" -f "$WORK/tmux.conf" "$@"; }

cleanup() {
  tm kill-server >/dev/null 2>&1
  rm -rf "$WORK"
}
trap cleanup EXIT

# Starts a case: a fresh pane of the given size running the game from a recording script.
# start_game NAME COLUMNS ROWS [ENV=VALUE ...]
start_game() {
  CASE=$1
  local columns=$2 rows=$3
  shift 3
  tm kill-server >/dev/null 2>&1
  rm -f "$WORK"/before "$WORK"/after "$WORK"/rc "$WORK"/recorder.pid
  # The recorder is the pane shell's foreground job, with the game in its process group, so
  # Ctrl-Z stops both and fg continues both, as for a player. Its traps keep Ctrl-C and the
  # shell's "kill %1" from ending it too (the game, started afresh, still has the default
  # dispositions).
  cat >"$WORK/record.sh" <<RECORD
echo \$\$ > "$WORK/recorder.pid"
trap : INT TERM
stty -g > "$WORK/before"
env $* "$BIN"
echo \$? > "$WORK/rc.tmp"
stty -g > "$WORK/after"
mv "$WORK/rc.tmp" "$WORK/rc"
RECORD
  # A plain interactive shell with job control.
  if ! tm new-session -d -s e2e -x "$columns" -y "$rows" "bash --norc --noprofile -i"; then
    echo "FAIL [$CASE]: cannot start tmux" >&2
    exit 1
  fi
  tm send-keys -t e2e "PS1='$ '; ulimit -c 0; bash $WORK/record.sh" Enter
}

fail() {
  echo "FAIL [$CASE]: $*" >&2
  echo "---- screen ----" >&2
  tm capture-pane -p -t e2e 2>/dev/null | sed 's/^/| /' >&2
  echo "----------------" >&2
  FAILURES=$((FAILURES + 1))
}

pass() { echo "ok   [$CASE] $*"; }

screen_text() { tm capture-pane -p -t e2e 2>/dev/null; }
screen_row() { screen_text | sed -n "${1}p"; }

# wait_until SECONDS COMMAND...: true once COMMAND succeeds.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  while ((SECONDS <= deadline)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

row_starts_with() { [[ "$(screen_row "$1")" == "$2"* ]]; }
screen_has() { screen_text | grep -qF -- "$1"; }
# The command prompt is up: a row that is "> " and whatever has been typed.
at_prompt() { screen_text | grep -qE '^>( |$)'; }
# The typed line reads exactly this (capture-pane drops trailing blanks).
prompt_is() {
  local want="> $1"
  screen_text | grep -qx -- "${want% }"
}
game_pid() { [[ -f $WORK/recorder.pid ]] && pgrep -P "$(cat "$WORK/recorder.pid")" | head -1; }
exited() { [[ -f $WORK/rc ]]; }

# expect_opening_page: the opening story is up, its first line on row 3.
expect_opening_page() {
  if wait_until 5 row_starts_with 3 "Sunday, August 20th, 1988."; then
    pass "opening page drawn, row 3 begins the story"
  else
    fail "row 3 never showed the opening story"
    return 1
  fi
}

# expect_exit STATUS: the game ended with STATUS and the terminal's settings are as before.
expect_exit() {
  if ! wait_until 5 exited; then
    fail "the game did not end"
    return 1
  fi
  local rc
  rc=$(cat "$WORK/rc")
  if [[ "$rc" == "$1" ]]; then pass "exit status $rc"; else fail "exit status $rc, expected $1"; fi
  if cmp -s "$WORK/before" "$WORK/after"; then
    pass "stty -g after equals before"
  else
    fail "terminal settings changed: before $(cat "$WORK/before"), after $(cat "$WORK/after")"
  fi
}

# quit_game WHEN: QUIT at the prompt, then a key after the closing message; the game must end
# with status 0 and the terminal's settings as they were. WHEN names the moment in a failure.
quit_game() {
  tm send-keys -t e2e -l "q"
  tm send-keys -t e2e Enter
  wait_until 5 row_starts_with 25 "Press any key to continue" || fail "QUIT $1 did nothing"
  tm send-keys -t e2e x
  expect_exit 0
}

# Leaves the opening page and waits for the prompt's countdown.
enter_game() {
  tm send-keys -t e2e Space
  if wait_until 5 at_prompt; then pass "prompt reached"; else fail "no prompt"; return 1; fi
}

finish() {
  if ((FAILURES > 0)); then
    echo "$FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
