#!/usr/bin/env bash
# A whole winning game in a real 80x25 terminal: a witness page, all five pieces of evidence,
# the inventory, the accusation at the desk, both closing pages in yellow on blue, and the
# end with status 0 and the terminal restored.
# Usage: game_win.sh [BUILD_DIR]   (default: build)
source "$(dirname "$0")/terminal_lib.sh" "${1:-build}"

# Types a command, waits for its whole echo, presses Enter and waits until the game has taken
# it. Keys typed ahead of a prompt are thrown away, so each command waits for the one before.
send_command() {
  local echo
  echo=$(tr 'a-z' 'A-Z' <<<"$1" | tr -cd 'A-Z .?')
  wait_until 10 prompt_is "" || fail "no empty prompt for '$1'"
  tm send-keys -t e2e -l "$1"
  wait_until 10 prompt_is "$echo" || fail "the echo of '$1' never read '$echo'"
  tm send-keys -t e2e Enter
  wait_until 10 eval '! prompt_is "$echo"' || fail "'$1' was never taken"
}
# Types a command and waits for what it should bring up.
command_shows() {
  local command=$1 row=$2 text=$3
  send_command "$command"
  if wait_until 10 row_starts_with "$row" "$text"; then
    pass "$command: row $row shows '$text'"
  else
    fail "$command: row $row never showed '$text'"
  fi
}
back_to_turn() {
  tm send-keys -t e2e x
  wait_until 5 prompt_is "" || fail "no empty prompt after the page"
}

start_game win 80 25
expect_opening_page
enter_game

command_shows "examine officer grant" 4 "TALK TO OFFICER GRANT"
back_to_turn
command_shows s 17 "You are standing at the entrance"
command_shows e 21 "You see a TRAIN TICKET pinned to the wall...odd."
send_command "take train ticket"
wait_until 10 eval '! screen_has "TRAIN TICKET pinned" && prompt_is ""' && pass "ticket line gone" || fail "ticket line still shown"
command_shows e 17 "The wde halway"
command_shows n 21 "You see a CHILDS DOLL resting in the corner."
send_command "talk to mrs. green"
wait_until 10 screen_has "Ohio" && pass "Mrs. Green's page reached with a full stop" || fail "no page for TALK TO MRS. GREEN"
back_to_turn
command_shows "take child's doll" 17 "You are standing in the room of"
wait_until 5 prompt_is "" && ! screen_has "CHILDS DOLL resting" && pass "doll taken" || fail "doll line still shown"
command_shows s 17 "The wde halway"
command_shows e 17 "With everystep you take down this long"
command_shows e 19 "You see the glare of a WEDDING RING resting on the carpet."
command_shows "take ring" 17 "You are standing in"
command_shows n 19 "Resting on the pillow is a PISTOL."
command_shows "take pistol" 17 "You enter the room and notice"
command_shows "take drawing" 17 "You enter the room and notice"
wait_until 5 prompt_is "" && ! screen_has "DRAWING." && ! screen_has "PISTOL." && pass "both items of room 11 taken" ||
  fail "room 11 still shows an item"
for step in s:"You are standing in" w:"With everystep" w:"The wde halway" w:"You are standing before the check in desk."; do
  command_shows "${step%%:*}" 17 "${step#*:}"
done
command_shows i 1 "INVENTORY..."
inventory=$(screen_text | sed -n 3,7p | tr '\n' '|')
[[ "$inventory" == "Drawing|Empty Pistol|Child's Doll|Train Ticket|Wedding Ring|" ]] &&
  pass "inventory lists all five in order" || fail "inventory reads '$inventory'"
back_to_turn

command_shows "present evidence" 1 "You walk down the long hallway of the"
row1=$(tm capture-pane -p -e -t e2e -S 0 -E 0)
if [[ "$row1" == *"38;5;227"* && "$row1" == *"48;5;19"* ]]; then
  pass "closing page in yellow (227) on blue (19)"
else
  fail "closing page colours: $(printf '%q' "$row1")"
fi
sleep 0.5
row_starts_with 1 "You walk down" && pass "first closing page waits" || fail "first closing page did not wait"
tm send-keys -t e2e x
wait_until 5 row_starts_with 1 "As the Inn Keepers is arrested, you" && pass "second closing page" || fail "no second closing page"
row_starts_with 8 "Corvellane Episode 3: Tessolind." && pass "next episode named" || fail "row 8 wrong"
tm send-keys -t e2e x
wait_until 5 row_starts_with 25 "Press any key to continue" && pass "end message" || fail "no end message"
row25=$(tm capture-pane -p -e -t e2e -S 24 -E 24)
[[ "$row25" == *"38;5;227"* && "$row25" == *"48;5;19"* ]] && pass "end message in yellow on blue" || fail "end message colours"
tm send-keys -t e2e x
expect_exit 0
finish
