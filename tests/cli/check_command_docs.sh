#!/usr/bin/env bash
# The manual page and the manual's command-line page against kaz-cli's table of commands: each names every
# command and option of the table, and no option the table does not have.
set -euo pipefail
names=$("$1" names)
source_dir=$2
commands=$(grep -v ' ' <<<"$names")
options=$( (cut -s -d' ' -f2 <<<"$names"; echo --help) | sort -u)
status=0
check() {
    local label=$1 text=$2 word
    for word in $commands $options; do
        grep -qE -- "(^|[^a-z-])$word([^a-z-]|$)" <<<"$text" || { echo "$label does not name $word"; status=1; }
    done
    for word in $(grep -oE -- '--[a-z][a-z-]*[a-z]' <<<"$text" | sort -u); do
        grep -qxF -- "$word" <<<"$options" || { echo "$label names $word, which kaz-cli does not take"; status=1; }
    done
}
check docs/man/kaz-cli.1 "$(sed 's/\\-/-/g' "$source_dir/docs/man/kaz-cli.1")"
check docs/command-line.md "$(cat "$source_dir/docs/command-line.md")"
exit $status
