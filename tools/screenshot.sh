#!/usr/bin/env bash
# Takes the README's screenshot: starts Kelvaron under Xvfb with a new wallet
# in a temporary home, opens the sample credit card and captures the window.
# Usage: tools/screenshot.sh [path-to-kelvaron] [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/app/kelvaron}
output=${2:-docs/screenshot.png}
[[ -x "$binary" ]] || { echo "no program at $binary: run ./run.sh first"; exit 1; }
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null && command -v import >/dev/null ||
  { echo "needs xvfb-run, xdotool and ImageMagick's import"; exit 1; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
export KELVARON_SHOT_BINARY="$(realpath "$binary")" KELVARON_SHOT_OUTPUT="$(realpath -m "$output")"
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  "$KELVARON_SHOT_BINARY" & pid=$!
  first=$(xdotool search --sync --onlyvisible --name "Kelvaron Desktop" | head -1)
  xdotool windowfocus --sync "$first"
  xdotool type --delay 30 "sample"; xdotool key Tab; xdotool type --delay 30 "sample"; xdotool key Return
  sleep 2
  xdotool mousemove 100 100
  xdotool key Down Right Down; sleep 1
  import -window root -crop 640x400+0+0 "$KELVARON_SHOT_OUTPUT"
  kill $pid'
echo "wrote $output"
