#!/usr/bin/env bash
# What the end-to-end sessions share: finding windows and driving them with
# xdotool as a person would.
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
double_click() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --sync $((X + $2)) $((Y + $3)) click --repeat 2 --delay 80 1
  sleep 0.5
}
# Drags with the left button from x1, y1 to x2, y2 inside a window, in steps
# as a hand would.
drag() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --sync $((X + $2)) $((Y + $3)) mousedown 1
  for step in $(seq 1 10); do
    xdotool mousemove --sync $((X + $2 + ($4 - $2) * step / 10)) $((Y + $3 + ($5 - $3) * step / 10))
    sleep 0.05
  done
  sleep 0.3
  xdotool mouseup 1
  sleep 1
}
type_text() { xdotool type --delay 40 "$1"; }
password_dialog() {
  local id; id=$(dialog)
  focus "$id"; type_text "$1"; xdotool key Return; sleep 1
}

# Opens the Tools menu of the main window (after File and Edit) and takes its n-th entry.
menu_entry() {
  click "$1" 92 10
  for _ in $(seq 1 "$2"); do xdotool key Down; done
  xdotool key Return
}
