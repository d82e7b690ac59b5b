#!/usr/bin/env bash
# Builds Kaz and opens an example chart in its window. On a machine without a display it says so and plays the
# chart through the built-in synthesizer instead, or, without audio output either, renders it to a WAV file and
# says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKAZ_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j2 --target kaz kaz-cli

chart=${1:-examples/blues-in-f.kaz}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/release/src/kaz "$chart"
fi

echo "There is no display to show Kaz's window on: playing $chart from the command line instead."
kaz=build/release/src/kaz-cli
if ! "$kaz" play "$chart" --device "Built-in synthesizer"; then
    wav="build/$(basename "${chart%.kaz}").wav"
    echo "This machine has no audio output: rendering $chart to $wav instead."
    "$kaz" render "$chart" "$wav"
    echo "Wrote $wav"
fi
