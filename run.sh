#!/usr/bin/env bash
# Installs what is missing, builds Kelvaron and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKELVARON_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
exec build/app/kelvaron "$@"
