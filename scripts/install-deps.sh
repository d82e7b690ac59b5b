#!/usr/bin/env bash
# Installs the Debian packages Kaz needs to build, run and test, when any of them is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    flex bison
    qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n
    libcli11-dev nlohmann-json3-dev
    librtmidi-dev libasound2-dev libfluidsynth-dev libsndfile1-dev fluidsynth fluid-soundfont-gm timgm6mb-soundfont
    libgtest-dev libgmock-dev libbenchmark-dev
    python3 python3-mido sox poppler-utils
    fonts-dejavu-core xvfb xauth
    desktop-file-utils libxml2-utils libx11-dev appstream man-db
    clang clang-format libclang-rt-dev
    libpugixml-dev libzip-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
run_as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please install as root: apt-get install ${missing[*]}" >&2; exit 1; }
    run_as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${run_as_root[@]}" apt-get update -qq
"${run_as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
