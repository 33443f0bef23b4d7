#!/usr/bin/env bash
# End-to-end: drives the real kelvaron program under Xvfb with xdotool as a
# person would (first start, a password field with a generated password,
# copy, lock and unlock, change of password, backup, restore) and then checks
# the wallet file and the backup folder. Skipped (status 77) without Xvfb.
set -euo pipefail
binary="$1"
wallettool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
for tool in xvfb-run xdotool xclip python3 openssl inotifywait argon2; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed (./test.sh installs it)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
export XDG_RUNTIME_DIR="$work/runtime" ASAN_OPTIONS=detect_leaks=0
mkdir -p "$XDG_CONFIG_HOME/Tormelin Software" "$work/backups" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[backup]\nbackup_path=%s\n[%%General]\nautolock=false\nclipboardclear=5\n' "$work/backups" \
  > "$XDG_CONFIG_HOME/Tormelin Software/Kelvaron.conf"
export E2E_BINARY="$binary" E2E_WALLETTOOL="$wallettool" E2E_WORK="$work"
xvfb-run -a -s "-screen 0 1024x768x24" bash "${E2E_SESSION:-$here/e2e_session.sh}"
python3 "$here/check_wallet.py" "$XDG_DATA_HOME/Tormelin Software/Kelvaron/kelvaron.dat" \
  "$work/backups" "second master" "$work/clipboard.txt"
# The search found Read me and opened it: its password was copied again.
cmp -s "$work/clipboard.txt" "$work/clipboard-after-search.txt" ||
  { echo "FAILED: the search result did not open Read me"; exit 1; }
# Five seconds after that copy the clipboard was empty again.
[[ ! -s "$work/clipboard-after-delay.txt" ]] ||
  { echo "FAILED: the copied password stayed on the clipboard"; exit 1; }
# Then the program is killed in the middle of its work, and started again.
xvfb-run -a -s "-screen 0 1024x768x24" bash ${E2E_TRACE:+-x} "$here/e2e_kill.sh"
