#!/usr/bin/env bash
# Killed in the middle, run inside Xvfb by e2e_test.sh after the user's
# session: the real program is killed with SIGKILL while it changes the
# master password on a large wallet, and again while it writes a backup.
# After each kill the next start must work (the lock of the dead copy does
# not block it), and check_after_kill.py checks the files.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/e2e_lib.sh"
wallet="$XDG_DATA_HOME/Tormelin Software/Kelvaron/kelvaron.dat"

# A wallet of some size, so that re-enciphering takes a while: 20,000 more
# fields that repeat an enciphered value of the wallet.
python3 - "$wallet" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
item, value = db.execute("SELECT item_id, value FROM kelvaron_fields WHERE type='PASS'").fetchone()
db.executemany("INSERT INTO kelvaron_fields (item_id, field_id, type, value, sort_weight) "
               "VALUES (?, ?, 'NOTE', ?, ?)",
               [(item, "K%03x" % i, value, 1000 + i) for i in range(20000)])
db.commit()
PY

# Kills the program with SIGKILL as soon as a file matching the pattern
# exists, so that the kill lands in the middle of the work that writes it.
kill_when_present() {
  for _ in $(seq 1 2000); do
    if compgen -G "$1" >/dev/null; then
      kill -9 "$pid"; wait "$pid" || true
      log "killed while $(basename "$1") existed"
      return
    fi
    sleep 0.005
  done
  echo "nothing matching $1 appeared" >&2; exit 1
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
type_text "third master"; xdotool key Return
# The journal appears with the first rewritten row: the kill lands midway.
kill_when_present "$wallet-journal"
python3 "$here/check_after_kill.py" wallet "$wallet" "second master" "third master"

log "the next start works; kill -9 during a backup"
password=$(cat "$E2E_WORK/password.txt")
start_and_login "$password"
menu_entry "$main" 2
kill_when_present "$E2E_WORK/backups/.kvrb-*.part"
python3 "$here/check_after_kill.py" backups "$E2E_WORK/backups"

log "the next start removes what the killed backup left"
start_and_login "$password"
sleep 1
python3 "$here/check_after_kill.py" clean "$E2E_WORK/backups"
kill "$pid"; wait "$pid" || true
