#!/usr/bin/env bash
# Renders the example planning to the three pictures the README shows, in docs/images/: the
# PNG output, the first page of the PDF, and the HTML page as headless Chromium draws it.
# Needs a built command (scripts/exemple.sh builds one) and the test tools
# (scripts/install-deps.sh --test-tools: poppler-utils, chromium, imagemagick).
# Usage: scripts/images-readme.sh [path-to-vitrail]   (default: build/tools/vitrail)
set -euo pipefail
cd "$(dirname "$0")/.."
vitrail=$(realpath "${1:-build/tools/vitrail}")
planning=$PWD/examples/semaine.json
images=$PWD/docs/images
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
mkdir -p "$images"
export QT_QPA_PLATFORM=offscreen
# Small pictures: the README needs them readable, not sharp. 64 colours keep each one small.
reduit() { convert "$1" -resize "$2" -colors 64 -strip "PNG8:$travail/image.png"
           mv "$travail/image.png" "$3"; }

"$vitrail" render "$planning" --to png --size 800x600 -o "$travail/semaine.png" -q >/dev/null
reduit "$travail/semaine.png" 800x600 "$images/semaine-png.png"

"$vitrail" render "$planning" --to pdf --no-prompt -o "$travail/semaine.pdf" -q >/dev/null
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$travail/semaine.pdf" "$travail/page"
reduit "$travail/page.png" 800x800 "$images/semaine-pdf.png"

"$vitrail" render "$planning" --to html -o "$travail/semaine.htm" -q >/dev/null
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1000,760 \
    --screenshot="$travail/html.png" "file://$travail/semaine.htm" >/dev/null 2>&1
reduit "$travail/html.png" 800x800 "$images/semaine-html.png"
ls -l "$images"
