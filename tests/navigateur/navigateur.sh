#!/usr/bin/env bash
# Exports a planning to HTML and to PNG with the vitrail command, then checks the page in
# headless Chromium against the PNG.
set -euo pipefail
vitrail=$1
planning=$2
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
"$vitrail" render "$planning" --to html -o "$travail/page.htm" -q >/dev/null 2>&1
"$vitrail" render "$planning" --to png -o "$travail/vitrail.png" --size 1600x1200 -q >/dev/null 2>&1
node "$(dirname "$0")/navigateur.mjs" "$travail/page.htm" "$travail/vitrail.png"
