#!/usr/bin/env bash
# Renders the bundled example planning (a week's schedule) to HTML, PDF and PNG, after installing
# what the build needs and building the vitrail command. Prints the files it wrote.
# Usage: scripts/exemple.sh [output-folder]     (default: out)
set -euo pipefail
cd "$(dirname "$0")/.."
sortie=${1:-out}
scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-exemple -G Ninja -DCMAKE_BUILD_TYPE=Release -DVITRAIL_TESTS=OFF \
    "${launcher[@]}" >/dev/null
cmake --build build-exemple --target vitrail_cli
mkdir -p "$sortie"
sortie=$(cd "$sortie" && pwd)
vitrail=build-exemple/tools/vitrail
planning=examples/semaine.json
echo "The example planning $planning, rendered:"
"$vitrail" render "$planning" --to html -o "$sortie/semaine.htm" -q 2>/dev/null
"$vitrail" render "$planning" --to pdf -o "$sortie/semaine.pdf" --no-prompt -q 2>/dev/null
"$vitrail" render "$planning" --to png -o "$sortie/semaine.png" -q 2>/dev/null
