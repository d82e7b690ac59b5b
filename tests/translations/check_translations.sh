#!/bin/sh
# Every translation is complete: lupdate brings a copy of each .ts up to the window's texts as they are now,
# and a text it marks unfinished is one nobody has translated yet. Prints each such text and fails, or says
# the translations are complete. Arguments: lupdate, the source folder.
lupdate="$1"
source="$2"
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$source"/translations/kaz_*.ts; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    "$lupdate" -silent -I "$source/src" -locations none -no-obsolete "$source/src/app" "$source/resources/dialogs" \
        -ts "$copy" || exit 1
    missing=$(grep -B2 'type="unfinished"' "$copy" | grep '<source>')
    if [ -n "$missing" ]; then
        echo "$(basename "$ts") has no translation for:"
        echo "$missing"
        status=1
    fi
done
[ $status -eq 0 ] && echo "the translations are complete"
exit $status
