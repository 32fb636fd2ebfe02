#!/usr/bin/env bash
# The ledger from the clerk's keyboard, on a real X server: tamsel starts on a demo database in
# a scratch program folder under Xvfb with a window manager; xdotool types into it as a clerk
# would: the main menu's "労務台帳入力", an employee picked from the list, Return on "入　　力",
# a site picked, hours typed into a day cell and left open, and the grid's close request.
# The unsaved-change question is answered No, Ctrl+S saves, every window is closed and the
# saved hours are read back from the database file.
# Usage: ledger_e2e.sh TAMSEL TAMSEL_DB
set -euo pipefail
tamsel=$1
tamsel_db=$2

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "ledger_e2e: $*" >&2
  exit 1
}

# Waits until a command succeeds (a window appears, a row is written): each check asks the X
# server or the database again; the deadline only ends a run that went wrong.
wait_for() {
  local what=$1
  shift
  local end=$((SECONDS + 20))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$end" ] || fail "no $what"
    sleep 0.05
  done
}

export TAMSEL_HOME=$work
"$tamsel_db" init --demo "$work/Roumu.MDB" >/dev/null
# An employee of our own with no ledger yet: the highest number, first in the pick list.
"$tamsel_db" sql "$work/Roumu.MDB" "INSERT INTO SYAIN_MT (SName,TMony) VALUES ('試験　太郎',1250)" >/dev/null
syain=$("$tamsel_db" sql "$work/Roumu.MDB" "SELECT MAX(SYAINID) AS M FROM SYAIN_MT" | sed -n 2p)
genba=$("$tamsel_db" sql "$work/Roumu.MDB" "SELECT GENBAID FROM GENBA_MT ORDER BY CRTDATE DESC" | sed -n 2p)
[ -n "$syain" ] && [ -n "$genba" ] || fail "demo database without employees or sites"

# The X server tells its display number once it accepts clients.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
read -r display <"$work/display"
export DISPLAY=:$display
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
wait_for "window manager" wmctrl -m

export QT_QPA_PLATFORM=xcb
"$tamsel" >"$work/tamsel.log" 2>&1 &
tamsel_pid=$!
pids+=($tamsel_pid)

# The visible windows named $1, none when there is none. xdotool walks the window tree and
# ends with an X error when a window it is reading is destroyed under it (Qt creates and drops
# windows of its own while starting and while a question box comes and goes): that walk is
# asked again, so that a vanished window is never read as "no such window".
visible() {
  local out tries=0
  until out=$(xdotool search --onlyvisible --name "$1" 2>"$work/xdotool.err") ||
    ! [ -s "$work/xdotool.err" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || fail "xdotool cannot read the windows: $(cat "$work/xdotool.err")"
    sleep 0.02
  done
  [ -z "$out" ] || printf '%s\n' "$out"
}
shown() {
  local out
  out=$(visible "$1") && [ -n "$out" ]
}
# The first visible window named $1, waited for.
window() {
  wait_for "window $1" shown "$1"
  visible "$1" | head -1
}
# A window named $1 other than $2 (a question box carries its screen's title).
other_window() {
  local w
  for w in $(visible "$1"); do
    [ "$w" != "$2" ] && echo "$w" && return 0
  done
  return 1
}
gone() {
  local out
  out=$(visible "$1") && [ -z "$out" ]
}
key() { xdotool key --clearmodifiers "$@"; }

menu=$(window '^Tamsel$')
xdotool windowactivate --sync "$menu"
key Tab Tab Return # the third button: 労務台帳入力

selection=$(window '^労務台帳入力$')
xdotool windowactivate --sync "$selection"
xdotool type --delay 30 "$syain"
key F4 Return # the pick moves the focus to 入　　力
key Return

grid=$(window '月度$')
xdotool windowactivate --sync "$grid"
xdotool type --delay 30 "$genba"
key F4 Return # the site taken, the focus is on day 1
xdotool type --delay 30 "7.5"

wmctrl -i -c "$grid"
wait_for "unsaved-change question" other_window '^労務台帳入力$' "$selection"
question=$(other_window '^労務台帳入力$' "$selection")
xdotool windowactivate --sync "$question"
key Return # No, the default: the grid stays open
wait_for "grid back" bash -c "[ \"\$(xdotool getactivewindow)\" = $grid ]"
key ctrl+s
saved() {
  [ "$("$tamsel_db" sql "$work/Roumu.MDB" "SELECT D1 FROM KYUYO_F WHERE SYAINID=$syain" | sed -n 2p)" = "7.5" ]
}
wait_for "saved hours" saved

wmctrl -i -c "$grid"
wait_for "grid closed" gone '月度$'
wmctrl -i -c "$selection"
wait_for "exit question" other_window '^労務台帳入力$' "$selection"
xdotool windowactivate --sync "$(other_window '^労務台帳入力$' "$selection")"
key Return # Yes is the default
wait_for "selection closed" gone '^労務台帳入力$'
menu=$(window '^Tamsel$')
wmctrl -i -c "$menu"
wait "$tamsel_pid" || fail "tamsel ended with an error: $(cat "$work/tamsel.log")"

saved || fail "the typed hours are not in the database"
rows=$("$tamsel_db" sql "$work/Roumu.MDB" "SELECT COUNT(*) AS N FROM KYUYO_F WHERE SYAINID=$syain" | sed -n 2p)
[ "$rows" = 1 ] || fail "expected one ledger line, found $rows"
echo "ledger_e2e: the hours typed into an open cell were saved after the close request"
