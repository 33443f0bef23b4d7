#!/usr/bin/env bash
# Installs what is missing, builds Kelvaron with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh --tests
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DKELVARON_SANITIZE=ON \
      -DKELVARON_TESTS=ON -DKELVARON_BENCHMARKS=ON >/dev/null
cmake --build build-tests -j"$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-tests --output-on-failure -j"$(nproc)"
