#!/usr/bin/env bash
# Killed in the middle, run inside Xvfb by e2e_test.sh after the user's
# session: the real program is killed with SIGKILL while it changes the
# master password on a large wallet, and again while it writes a backup.
# After each kill the next start must work (the lock of the dead copy does
# not block it), and check_after_kill.py checks the files.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/e2e_lib.sh"
data="$XDG_DATA_HOME/Tormelin Software/Kelvaron"
wallet="$data/kelvaron.dat"

# A wallet of some size, written through the store in the wallet's own
# format, so that re-enciphering it and backing it up take a second or more:
# 4,000 more items, each with a note of 8,000 random letters.
"$E2E_WALLETTOOL" fill "second master" 4000 8000

# Runs the command after the folder, then kills the program with SIGKILL as
# soon as a file whose name matches the regular expression is created there:
# inotify reports the creation itself, so the kill never misses the file,
# and lands while the work that writes it goes on.
kill_when_created() {
  local folder="$1" regex="$2"
  shift 2
  local fifo="$E2E_WORK/watch.fifo"
  rm -f "$fifo"; mkfifo "$fifo"
  inotifywait -e create --include "$regex" --format '%f' "$folder" \
    > "$E2E_WORK/created.txt" 2> "$fifo" &
  local watcher=$!
  exec 3< "$fifo"
  local line=""
  until [[ "$line" == *"Watches established"* ]]; do
    read -r -u 3 line || { echo "inotifywait did not start" >&2; exit 1; }
  done
  "$@"
  wait "$watcher"
  kill -9 "$pid"; wait "$pid" || true
  exec 3<&-
  log "killed while $(cat "$E2E_WORK/created.txt") was being written"
}

start_and_login() {
  "$E2E_BINARY" >> "$E2E_WORK/program.log" 2>&1 &
  pid=$!
  main=""
  password_dialog "$1"
  main=$(window "Kelvaron Desktop")
}

log "kill -9 during a change of the master password"
start_and_login "second master"
menu_entry "$main" 5
change=$(dialog)
focus "$change"
type_text "second master"; xdotool key Tab; type_text "third master"; xdotool key Tab
type_text "third master"
# The journal appears with the first rewritten row: the kill lands midway.
kill_when_created "$data" '/kelvaron\.dat-journal$' xdotool key Return
python3 "$here/check_after_kill.py" wallet "$wallet" "second master" "third master"

log "the next start works; kill -9 during a backup"
password=$(cat "$E2E_WORK/password.txt")
start_and_login "$password"
kill_when_created "$E2E_WORK/backups" '/\.kvrb-[^/]*\.part$' menu_entry "$main" 2
python3 "$here/check_after_kill.py" backups "$E2E_WORK/backups"

log "the next start removes what the killed backup left"
start_and_login "$password"
python3 "$here/check_after_kill.py" clean "$E2E_WORK/backups"
kill "$pid"; wait "$pid" || true
