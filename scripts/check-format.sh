#!/usr/bin/env bash
# Checks that every source file is formatted as .clang-format says; `clang-format -i FILE` mends one that is not.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror
echo "every source file is formatted"
