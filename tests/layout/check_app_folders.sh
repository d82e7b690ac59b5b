#!/bin/sh
# The window's folders depend downwards only: the editor uses none of the others, and the others use none
# but the editor; every other meeting of two folders is a signal wired in the window. Prints each include
# that breaks this and fails, or says the folders are in order.
app="$1/src/app"
broken=$(
    for folder in "$app"/*/; do
        name=$(basename "$folder")
        grep -Hn '#include "app/[a-z_]*/' "$folder"*.h "$folder"*.cpp | while IFS= read -r line; do
            used=$(printf '%s\n' "$line" | sed 's|.*#include "app/\([a-z_]*\)/.*|\1|')
            if [ "$used" != "$name" ] && { [ "$used" != editor ] || [ "$name" = editor ]; }; then
                echo "$line: the $name folder uses the $used folder"
            fi
        done
    done
)
if [ -n "$broken" ]; then
    echo "$broken"
    exit 1
fi
echo "the window's folders are in order"
