#!/usr/bin/env bash
# The user's session, run inside Xvfb by e2e_test.sh.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/e2e_lib.sh"

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
# Tab passes Password settings, then reaches Generate.
xdotool key Tab Tab space; sleep 0.5
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
menu_entry "$main" 5; sleep 1
change=$(dialog)
focus "$change"
type_text "first master"; xdotool key Tab; type_text "second master"; xdotool key Tab
type_text "second master"; xdotool key Return; sleep 2
focus "$(dialog)"; xdotool key Return; sleep 1
click "$main" 325 $((locked_top + 135))
password_dialog "second master"

log "back up"
menu_entry "$main" 2; sleep 2
focus "$(dialog)"; xdotool key Return; sleep 1

log "restore the backup"
menu_entry "$main" 3; sleep 1
recovery=$(window "Recovery")
click "$recovery" 100 40
click "$recovery" 350 46
sleep 1
# The archive passed its checks: yes, replace the wallet (No is the default).
focus "$(window "Kelvaron Desktop")"; xdotool key alt+y
sleep 2
password_dialog "second master"
sleep 1

log "search for Read me, open the result and copy its password again"
focus "$main"
xdotool key ctrl+f; sleep 0.3
type_text "read me"; xdotool key Return; sleep 1
double_click "$main" 320 $((top + 92))
click "$main" 320 $((top + 110))
click "$main" 605 $((top + 284))
xclip -o -selection clipboard > "$E2E_WORK/clipboard-after-search.txt"

log "the clipboard forgets the password after its delay"
sleep 7
xclip -o -selection clipboard > "$E2E_WORK/clipboard-after-delay.txt" 2>/dev/null || true

log "drag Read me from the list onto the Banking folder of the tree"
focus "$main"
xdotool key Escape; sleep 0.5
click "$main" 60 $((top + 22))
drag "$main" 320 $((top + 110)) 70 $((top + 40))

log "quit"
kill "$pid"
wait "$pid" || true
