#!/usr/bin/env bash
# Takes the pictures of the window that the README and the software centres show, from an example chart, in a
# virtual display: docs/images/window.png (a chart playing, beside its lead sheet) and docs/images/chart-view.png (another lead sheet).
# Usage: scripts/take-screenshots.sh [BUILD_DIR]   (default build/release; run scripts/run.sh once to build it)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
kaz=$build/src/kaz
[ -x "$kaz" ] || { echo "No $kaz: build Kaz first (scripts/run.sh)" >&2; exit 2; }
for tool in xvfb-run openbox xdotool import; do
    command -v "$tool" >/dev/null || { echo "Needs $tool: apt-get install xvfb openbox xdotool imagemagick" >&2; exit 2; }
done
out=docs/images
mkdir -p "$out"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

shoot() {
    local chart=$1 picture=$2 keys=$3
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    KAZ_AUDIO_DRIVER=file KAZ_AUDIO_FILE="$home/played.wav" \
    xvfb-run -a -s '-screen 0 1280x800x24' bash -c '
        openbox >/dev/null 2>&1 &
        "$0" "$1" >/dev/null 2>&1 &
        window=$(xdotool search --sync --onlyvisible --name "Kaz" | head -n 1)
        sleep 1
        xdotool windowsize "$window" 1200 760 windowmove "$window" 40 20 windowfocus --sync "$window"
        for key in $3; do xdotool key --clearmodifiers "$key"; sleep 1; done
        sleep 2
        import -window root "$2"
        kill %2 %1 2>/dev/null || true
    ' "$kaz" "$chart" "$picture" "$keys"
}

shoot examples/harbour-lights.kaz "$out/window.png" "alt+w h ctrl+space"
shoot examples/sunday-waltz.kaz "$out/chart-view.png" "alt+w h"
echo "Wrote $out/window.png and $out/chart-view.png"
