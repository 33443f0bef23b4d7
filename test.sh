#!/usr/bin/env bash
# Installs what is missing, builds Kelvaron with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh --tests
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DKELVARON_SANITIZE=ON \
      -DKELVARON_TESTS=ON -DKELVARON_BENCHMARKS=ON >/dev/null
cmake --build build-tests -j"$(nproc)"
ctest --test-dir build-tests --output-on-failure -j"$(nproc)"

# The zip reader's fuzz target, built with clang's libFuzzer and run for a
# bounded time over the seed corpus.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DKELVARON_SANITIZE=ON \
      -DKELVARON_TESTS=OFF -DKELVARON_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_unzip
ctest --test-dir build-fuzz --output-on-failure
