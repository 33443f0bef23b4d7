#!/usr/bin/env bash
# Installs the Debian packages that Kelvaron needs and that are missing.
# Usage: tools/install-deps.sh [--tests]   (--tests adds what the test suite uses)
set -euo pipefail

packages=(build-essential cmake pkg-config qtbase5-dev libqt5sql5-sqlite qttools5-dev
          qttools5-dev-tools libssl-dev zlib1g-dev libzxcvbn-dev libargon2-dev)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(libbenchmark-dev xvfb xauth xdotool xclip dbus-daemon inotify-tools zip unzip python3 python3-cryptography argon2 openssl clang libclang-rt-dev)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
