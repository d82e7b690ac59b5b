#!/usr/bin/env bash
# Builds Kaz with AddressSanitizer and UndefinedBehaviorSanitizer and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAZ_SANITIZE=ON
cmake --build build/test -j2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/test --output-on-failure -j2 --timeout 300
