#!/usr/bin/env bash
# Builds the Debian package and checks it as a user's machine would see it: unpacked into a fresh root, it holds
# the programs and their modules, the styles, the examples, a valid menu entry, the file type, the icons, the
# software centre's metadata and the manual pages, which render; and the installed kaz-cli works.
set -euo pipefail
build=$1
cmake --build "$build" --target package >/dev/null
deb=$(ls -t "$build"/kaz_*.deb | head -n 1)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for file in usr/bin/kaz usr/bin/kaz-cli usr/share/applications/org.velmor.Kaz.desktop \
            usr/share/mime/packages/kaz.xml usr/share/icons/hicolor/scalable/apps/kaz.svg \
            usr/share/metainfo/org.velmor.Kaz.metainfo.xml usr/share/man/man1/kaz.1 \
            usr/share/man/man1/kaz-cli.1 usr/share/kaz/styles/bossa-nova.style \
            usr/share/kaz/examples/blues-in-f.kaz; do
    [ -e "$root/$file" ] || { echo "missing: $file"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libfluidsynth3 "fluid-soundfont-gm | timgm6mb-soundfont"; do
    grep -qF "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; exit 1; }
done
desktop-file-validate "$root/usr/share/applications/org.velmor.Kaz.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.velmor.Kaz.metainfo.xml" >/dev/null
for page in kaz kaz-cli; do
    man -l "$root/usr/share/man/man1/$page.1" 2>&1 >/dev/null | grep . && { echo "$page.1 does not render"; exit 1; }
    MANWIDTH=80 man -l "$root/usr/share/man/man1/$page.1" 2>/dev/null | grep -q "^NAME" ||
        { echo "$page.1 has no NAME"; exit 1; }
done
printf 'C | F | G7 | C |\n' | "$root/usr/bin/kaz-cli" check - || { echo "the installed kaz-cli fails"; exit 1; }
"$root/usr/bin/kaz-cli" check "$root/usr/share/kaz/examples/seaside-bossa.kaz" ||
    { echo "the installed kaz-cli cannot read an installed example"; exit 1; }
echo "package complete and valid"
