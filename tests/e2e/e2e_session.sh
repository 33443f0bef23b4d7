#!/usr/bin/env bash
# The user's session, run inside Xvfb by e2e_test.sh.
set -euo pipefail
log() { echo "e2e: $*"; }
# The newest visible window whose title matches, waiting for it to appear.
window() {
  for _ in $(seq 1 100); do
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
    [[ -n "$id" ]] && { echo "$id"; return; }
    sleep 0.2
  done
  echo "no window titled $1" >&2; exit 1
}
# The program's open dialog: its one visible window besides the main window.
dialog() {
  for _ in $(seq 1 100); do
    local id
    for id in $(xdotool search --onlyvisible --name "Kelvaron" 2>/dev/null); do
      [[ "$id" != "${main:-}" ]] && { echo "$id"; return; }
    done
    sleep 0.2
  done
  echo "no dialog is open" >&2; exit 1
}
focus() { xdotool windowfocus --sync "$1"; sleep 0.3; }
# Clicks at x, y inside a window.
click() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
  sleep 0.5
}
type_text() { xdotool type --delay 40 "$1"; }
password_dialog() {
  local id; id=$(dialog)
  focus "$id"; type_text "$1"; xdotool key Return; sleep 1
}

"$E2E_BINARY" > "$E2E_WORK/program.log" 2>&1 &
pid=$!

log "first start"
first=$(window "Kelvaron Desktop")
focus "$first"
type_text "first master"; xdotool key Tab; type_text "first master"; xdotool key Return
sleep 2
main=$(window "Kelvaron Desktop")
eval "$(xdotool getwindowgeometry --shell "$main")"
main_height=$HEIGHT
# The central panel starts below the menu bar and toolbar.
top=$((main_height - 320 - 22))
# Locked, the toolbar is hidden and the panel sits right below the menu bar.
locked_top=22
log "central panel at $top"

log "add a password field with a generated password to Read me"
focus "$main"
xdotool key Down Down; sleep 0.5
click "$main" 605 $((top + 170))
field=$(window "field")
focus "$field"
type_text "P"; sleep 0.5
xdotool key Tab space; sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$field")"
click "$field" $((WIDTH - 150)) $((HEIGHT - 18))
sleep 1

log "copy the generated password"
click "$main" 320 $((top + 110))
click "$main" 605 $((top + 284))
xclip -o -selection clipboard > "$E2E_WORK/clipboard.txt"

log "lock and unlock"
click "$main" 20 42
click "$main" 325 $((locked_top + 135))
password_dialog "first master"

log "change the master password"
click "$main" 58 10
xdotool key Down Down Down Down Down Return; sleep 1
change=$(dialog)
focus "$change"
type_text "first master"; xdotool key Tab; type_text "second master"; xdotool key Tab
type_text "second master"; xdotool key Return; sleep 2
focus "$(dialog)"; xdotool key Return; sleep 1
click "$main" 325 $((locked_top + 135))
password_dialog "second master"

log "back up"
click "$main" 58 10
xdotool key Down Down Return; sleep 2
focus "$(dialog)"; xdotool key Return; sleep 1

log "restore the backup"
click "$main" 58 10
xdotool key Down Down Down Return; sleep 1
recovery=$(window "Recovery")
click "$recovery" 100 40
click "$recovery" 350 46
sleep 2
password_dialog "second master"
sleep 1

log "quit"
kill "$pid"
wait "$pid" || true
