#!/usr/bin/env bash
# Fails on any tracked C++ file that clang-format would change.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=0
while IFS= read -r f; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || { echo "not formatted: $f"; bad=1; }
done < <(git ls-files '*.cpp' '*.hpp' '*.h' '*.c')
[ "$bad" -eq 0 ] && echo "formatting: ok"
exit "$bad"
