#!/usr/bin/env bash
# A walk through all eighteen rooms of the inn in a real 80x25 terminal, checking in each room
# that its text is shown and that the compass shows exactly the room's exits; then HELP and
# back, LOOK, and QUIT with the terminal restored.
# Usage: game_walk.sh [BUILD_DIR]   (default: build)
source "$(dirname "$0")/terminal_lib.sh" "${1:-build}"

# room: the opening words of its text, and its compass letters (N, W, E, S or '.' for none).
declare -A opening=(
  [1]="It's a cold night. The flashing lights"   [2]="You are standing at the entrance"
  [3]="You are standing before the check in desk." [4]="The wde halway"
  [5]="You are standing in the room of"          [6]="No one's staying"
  [7]="With everystep you take down this long"   [8]="You stand in an empty room."
  [9]="You can hear from the next"               [10]="You are standing in"
  [11]="You enter the room and notice"           [12]="You enter the room of WILSON,"
  [13]="There's something about this"            [14]="You enter the room of MARGO."
  [15]="Nothing..."                              [16]="You are standing at the end"
  [17]="Another empty room."                     [18]="You enter the room of PHIL."
)
declare -A compass=(
  [1]="...S" [2]="N.E." [3]=".WE." [4]="NWES" [5]="...S" [6]="N..." [7]="NWES" [8]="...S"
  [9]="N..." [10]="NWES" [11]="...S" [12]="N..." [13]="NWES" [14]="...S" [15]="N..."
  [16]="NW.S" [17]="...S" [18]="N..."
)

# The compass as the screen shows it: the letters at (11,39), (12,37), (12,41), (13,39).
shown_compass() {
  local screen row11 row12 row13
  screen=$(screen_text)
  row11=$(sed -n 11p <<<"$screen")
  row12=$(sed -n 12p <<<"$screen")
  row13=$(sed -n 13p <<<"$screen")
  local n=${row11:38:1} w=${row12:36:1} e=${row12:40:1} s=${row13:38:1}
  printf '%s%s%s%s' "${n:-.}" "${w:-.}" "${e:-.}" "${s:-.}" | tr ' ' '.'
}

in_room() { row_starts_with 17 "${opening[$1]}" && prompt_is ""; }

check_room() {
  local room=$1
  if ! wait_until 10 in_room "$room"; then
    fail "room $room: its text never showed on row 17"
    return
  fi
  local got
  got=$(shown_compass)
  if [[ "$got" == "${compass[$room]}" ]]; then
    pass "room $room: compass $got"
  else
    fail "room $room: compass $got, expected ${compass[$room]}"
  fi
}

start_game walk 80 25
expect_opening_page
enter_game
check_room 1
if [[ "$(screen_row 2)" =~ ^\ {33}2[89]:[\ 0-9][0-9]\.[0-9]{3}$ ]]; then
  pass "countdown running on row 2"
else
  fail "no countdown on row 2: '$(screen_row 2)'"
fi

walk=(s:2 e:3 e:4 n:5 s:4 s:6 n:4 e:7 n:8 s:7 s:9 n:7 e:10 n:11 s:10 s:12 n:10 e:13 n:14
  s:13 s:15 n:13 e:16 n:17 s:16 s:18)
for step in "${walk[@]}"; do
  tm send-keys -t e2e -l "${step%%:*}"
  tm send-keys -t e2e Enter
  check_room "${step##*:}"
done

# A page command in room 18: its first and last rows show, it stays until a key, and the key
# brings the turn screen back.
page_and_back() {
  local command=$1 first=$2 last_row=$3 last=$4
  tm send-keys -t e2e -l "$command"
  tm send-keys -t e2e Enter
  if wait_until 5 row_starts_with 1 "$first" && row_starts_with "$last_row" "$last"; then
    pass "$command page"
  else
    fail "no $command page"
  fi
  sleep 0.5
  row_starts_with 1 "$first" && pass "$command page waits for a key" || fail "$command page left without a key"
  tm send-keys -t e2e x
  check_room 18
}
page_and_back help "HERE ARE SOME BASIC COMMANDS" 15 "PRESS ANY KEY..."
page_and_back look "NORTH" 3 "PRESS ANY KEY..."

tm send-keys -t e2e -l "quit"
tm send-keys -t e2e Enter
if wait_until 5 row_starts_with 25 "Press any key to continue" && row_starts_with 17 "${opening[18]}"; then
  pass "QUIT: message on row 25 over the kept turn screen"
else
  fail "QUIT did not show the message over the turn screen"
fi
tm send-keys -t e2e x
expect_exit 0
finish
