#!/usr/bin/env bash
# The game in an 80x25 tmux pane: it draws in the right colours with no cursor, turns the
# terminal's keys into the game's, drops escape sequences it does not know, and ends on keys
# with status 0 and the terminal's settings as they were; on an 8-colour terminal too.
# Usage: terminal_play.sh [BUILD_DIR]   (default: build)
source "$(dirname "$0")/terminal_lib.sh" "${1:-build}"

start_game play 80 25
expect_opening_page

row3=$(tm capture-pane -p -e -t e2e -S 2 -E 2)
if [[ "$row3" == *"38;5;240"* && "$row3" == *"48;5;16"* ]]; then
  pass "dark grey (240) on an explicit black (16)"
else
  fail "row 3 not drawn as 256-colour 240 on 16: $(printf '%q' "$row3")"
fi
if [[ $(tm display-message -p -t e2e '#{cursor_flag}') == 0 ]]; then
  pass "cursor hidden"
else
  fail "cursor shown"
fi

# Ctrl-L redraws everything, in the same colours, and is no key for the game: the page stays.
tm send-keys -t e2e C-l
sleep 0.7
row3=$(tm capture-pane -p -e -t e2e -S 2 -E 2)
if [[ "$row3" == *"38;5;240"*"Sunday, August 20th, 1988."* ]]; then
  pass "Ctrl-L repainted the page without leaving it"
else
  fail "after Ctrl-L row 3 is $(printf '%q' "$row3")"
fi

# Escape on its own is a key like any other: it leaves the opening page.
tm send-keys -t e2e Escape
if wait_until 5 at_prompt; then pass "Escape alone left the page"; else fail "Escape alone did nothing"; fi
sleep 0.2

# An unknown CSI sequence, an unknown SS3 sequence, an OSC answer, cursor and function keys:
# none of them may show up in the typed line.
tm send-keys -t e2e -H 1b 5b 39 39 7a
tm send-keys -t e2e -H 1b 4f 78
tm send-keys -t e2e -H 1b 5d 31 31 3b 72 67 62 07
tm send-keys -t e2e Up Left F5 Home PageDown DC IC
tm send-keys -t e2e -l "look"
if wait_until 5 prompt_is "LOOK"; then
  pass "typed line is exactly LOOK"
else
  fail "typed line is not exactly '> LOOK'"
fi
for junk in "99z" "[9" "rgb" "~"; do
  screen_has "$junk" && fail "escape-sequence residue '$junk' on screen"
done

# Backspace as DEL (the Backspace key) and as ^H.
tm send-keys -t e2e BSpace
wait_until 3 prompt_is "LOO" && pass "DEL erases" || fail "DEL did not erase"
tm send-keys -t e2e C-h
wait_until 3 prompt_is "LO" && pass "^H erases" || fail "^H did not erase"
tm send-keys -t e2e -l "ok"
wait_until 3 prompt_is "LOOK" || fail "typing again did not give LOOK"

# Enter as a line feed: the look page comes up.
tm send-keys -t e2e C-j
if wait_until 5 screen_has "PRESS ANY KEY..."; then pass "LF is Enter"; else fail "LF did not enter the command"; fi
tm send-keys -t e2e Space
wait_until 5 at_prompt || fail "no prompt after the look page"
sleep 0.2

# Quit with the keypad's Enter, then any key ends the game.
tm send-keys -t e2e -l "q"
tm send-keys -t e2e KPEnter
if wait_until 5 row_starts_with 25 "Press any key to continue"; then
  pass "keypad Enter ran QUIT"
else
  fail "no end message on row 25"
fi
tm send-keys -t e2e x
expect_exit 0
if wait_until 3 screen_has "record.sh"; then
  pass "the shell's own screen is back"
else
  fail "the shell's screen was not restored"
fi
[[ $(tm display-message -p -t e2e '#{cursor_flag}') == 1 ]] && pass "cursor shown again" || fail "cursor still hidden"

# An 8-colour terminal: dark grey is bold black, on an explicit black background.
start_game "8-colour terminal" 80 25 TERM=screen
expect_opening_page
row3=$(tm capture-pane -p -e -t e2e -S 2 -E 2)
if [[ "$row3" == *"[1m"* && "$row3" == *"[30m"* && "$row3" == *"[40m"* ]]; then
  pass "dark grey as bold black on black"
else
  fail "row 3 not bold black on black: $(printf '%q' "$row3")"
fi
enter_game
quit_game "at the end"

finish
