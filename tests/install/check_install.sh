#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs: the two programs, a valid menu
# entry that opens .kaz files, the file type and the icons, and the programs' modules.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/kaz bin/kaz-cli share/applications/org.velmor.Kaz.desktop share/mime/packages/kaz.xml \
            share/icons/hicolor/scalable/apps/kaz.svg share/icons/hicolor/64x64/apps/kaz.png \
            share/kaz/styles/medium-swing.style; do
    [ -e "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done
# kaz-cli loads its device, import and export commands from the installed modules.
"$prefix/bin/kaz-cli" devices | grep -q '^Built-in synthesizer$' || { echo "kaz-cli devices fails"; exit 1; }
printf 'C | F |\n' | "$prefix/bin/kaz-cli" export-musicxml - | grep -q '<score-partwise' ||
    { echo "kaz-cli export-musicxml fails"; exit 1; }
# The window loads its devices and song files from the installed modules when it first needs them.
for module in kaz-devices.so kaz-interchange.so; do
    compgen -G "$prefix/lib*/kaz/$module" >/dev/null || { echo "missing: the window's $module"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/org.velmor.Kaz.desktop"
grep -q '^MimeType=text/x-kaz;text/x-kaz-set-list;$' "$prefix/share/applications/org.velmor.Kaz.desktop"
xmllint --noout "$prefix/share/mime/packages/kaz.xml"
grep -q '<glob pattern="\*.kaz"/>' "$prefix/share/mime/packages/kaz.xml"
echo "installed and valid"
