#!/usr/bin/env bash
# What a locked Kelvaron leaves in its memory: starts the program (a Release
# build) under Xvfb on a new wallet, opens the sample card, copies its name
# and shows its secrets, locks, dumps the locked process with gdb's gcore and
# counts the sample's names and values in the dump, in UTF-16 and in UTF-8.
# With BEFORE=1 the dump is taken before the lock, to show the count is not
# zero by chance.
#   xvfb-run -a bench/lock_memory.sh build/app/kelvaron
set -euo pipefail
binary="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../tests/e2e/e2e_lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Tormelin Software"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[%%General]\nautolock=false\n' > "$XDG_CONFIG_HOME/Tormelin Software/Kelvaron.conf"
"$binary" > "$work/log" 2>&1 &
pid=$!
first=$(window "Kelvaron Desktop"); focus "$first"
type_text "memory master"; xdotool key Tab; type_text "memory master"; xdotool key Return
sleep 3
main=$(window "Kelvaron Desktop"); focus "$main"
# Root, Banking (opened), its card; then the list, copy, show secrets.
xdotool key Down Right Down; sleep 1
xdotool key Tab; sleep 1
xdotool key ctrl+c; sleep 0.5
xdotool key ctrl+h; sleep 1
if [[ -z "${BEFORE:-}" ]]; then
  xdotool key ctrl+l; sleep 2
fi
gcore -o "$work/core" "$pid" > /dev/null 2>&1
kill "$pid"; wait "$pid" || true
python3 - "$work/core.$pid" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
for text in ["John Smith", "1234 5678 9012 3456", "Credit card sample", "Banking", "Read me",
             "memory master"]:
    counts = ["%s %d" % (enc, data.count(text.encode(enc))) for enc in ("utf-16-le", "utf-8")]
    print("%-22s %s" % (text, ", ".join(counts)))
PY
