#!/usr/bin/env bash
# Builds Kaz and plays an example chart through the built-in synthesizer. On a machine without audio output it
# renders the chart to a WAV file instead and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKAZ_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j2 --target kaz-cli

kaz=build/release/src/kaz-cli
chart=${1:-examples/blues-in-f.kaz}
if ! "$kaz" play "$chart" --device "Built-in synthesizer"; then
    wav="build/$(basename "${chart%.kaz}").wav"
    echo "This machine has no audio output: rendering $chart to $wav instead."
    "$kaz" render "$chart" "$wav"
    echo "Wrote $wav"
fi
