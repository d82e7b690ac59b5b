#!/usr/bin/env bash
# Builds Kaz and checks the example charts that come with it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKAZ_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j2 --target kaz-cli

status=0
for chart in examples/*.kaz; do
    if build/release/src/kaz-cli check "$chart"; then
        echo "$chart: ok"
    else
        status=1
    fi
done
exit $status
