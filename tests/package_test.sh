#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root as dpkg would
# install it, checks its files and starts the unpacked program headless: it
# must come up and wait at its first-start dialog.
set -euo pipefail
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/kelvaron_*.deb)
info=$(dpkg-deb --info "$deb")
grep -q "Depends: libqt5widgets5" <<<"$info"
dpkg -x "$deb" "$work/root"
for file in usr/bin/kelvaron usr/share/applications/kelvaron.desktop \
            usr/share/icons/hicolor/48x48/apps/kelvaron.png \
            usr/share/icons/hicolor/96x96/apps/kelvaron.png; do
  [[ -e "$work/root/$file" ]] || { echo "missing from the package: $file"; exit 1; }
done
grep -q '^Exec=kelvaron$' "$work/root/usr/share/applications/kelvaron.desktop"
mkdir -p "$work/home"
HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" \
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
  "$work/root/usr/bin/kelvaron" >/dev/null 2>&1 &
pid=$!
wallet="$work/home/data/Tormelin Software/Kelvaron/kelvaron.dat"
for _ in $(seq 1 60); do
  [[ -f "$wallet" ]] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
sleep 1
# It must have created the wallet file and still be running, waiting for the
# user at its first-start dialog.
running=0
kill -0 "$pid" 2>/dev/null && running=1
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[[ -f "$wallet" && $running -eq 1 ]] || { echo "the unpacked program did not start"; exit 1; }
echo "package installs and starts"
