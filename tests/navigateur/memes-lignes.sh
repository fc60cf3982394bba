#!/usr/bin/env bash
# The example and a generated planning of 1,000 frames, drawn to PNG, html5 and SVG by the
# vitrail command, then the page and the SVG in headless Chromium against the PNG.
set -euo pipefail
vitrail=$1
exemple=$2
ici=$(dirname "$0")
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cp "$(dirname "$exemple")/logo.png" "$travail/"
node "$ici/genere-planning.mjs" 1000 logo.png >"$travail/cellules.json"
for planning in "$exemple" "$travail/cellules.json"; do
    nom=$(basename "$planning" .json)
    for cible in png html5 svg; do
        "$vitrail" render "$planning" --to "$cible" -o "$travail/$nom.$cible" --size 1600x1200 \
            --no-prompt -q >/dev/null
    done
    mv "$travail/$nom.html5" "$travail/$nom.html"
    echo "$nom:"
    node "$ici/memes-lignes.mjs" "$travail/$nom.png" "$travail/$nom.html" "$travail/$nom.svg"
done
