#!/usr/bin/env bash
# The vitrail command from the outside: exit statuses, what it prints, what it writes.
set -uo pipefail
vitrail=$1
exemple=$2
fichiers=$3
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echec() { echo "FAILED: $*"; exit 1; }

aide=$("$vitrail" --help)
grep -q 'vitrail render FILE' <<<"$aide" || echec "--help"
"$vitrail" render 2>"$travail/err"; [ $? -eq 2 ] || echec "no file: status 2"
grep -q 'which planning file' "$travail/err" || echec "no file: message"
"$vitrail" render "$exemple" --to fax 2>/dev/null; [ $? -eq 2 ] || echec "bad target: status 2"

printf '{"cadres": [\n{"type": "texte", "piHaut": 1, "piGauche": 1, "piFontSize": 99999}]}' \
    >"$travail/faux.json"
"$vitrail" render "$travail/faux.json" --to png -o "$travail/faux.png" 2>"$travail/err"
[ $? -eq 2 ] || echec "bad file: status 2"
grep -q "faux.json:2: champ /cadres/0/piFontSize" "$travail/err" || echec "bad file: message"
[ ! -e "$travail/faux.png" ] || echec "bad file: nothing is drawn"

"$vitrail" check "$exemple" >"$travail/ok" || echec "check of the example"
grep -q 'every text fits' "$travail/ok" || echec "check of the example: message"
"$vitrail" check "$fichiers/debordant.json" >"$travail/deborde"; [ $? -eq 1 ] || echec "check: status 1"
grep -q '^frame 2: drawn at 8 pt, does not fit even at the smallest size' "$travail/deborde" ||
    { cat "$travail/deborde"; echec "check: the overflowing frame"; }
! grep -q '^frame 1' "$travail/deborde" || echec "check: frame 1 fits"

"$vitrail" render "$exemple" --to png -o "$travail/s.png" --size 800x600 -q >"$travail/out" ||
    echec "png"
grep -qx "$travail/s.png" "$travail/out" || echec "png: path printed"
[ "$(head -c 8 "$travail/s.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || echec "png file"
"$vitrail" render "$exemple" --to html -o "$travail/s.htm" >"$travail/out" 2>/dev/null || echec "html"
grep -qx "$travail/s.htm" "$travail/out" || echec "html: path printed"
grep -q 'Lundi' "$travail/s.htm" || echec "html: content"
"$vitrail" render "$exemple" --to pdf -o "$travail/s.pdf" --copies 2 >"$travail/out" 2>/dev/null ||
    echec "pdf"
[ "$(wc -l <"$travail/out")" -eq 2 ] || echec "pdf: two copies, two files"

# A failure the component reports makes the status 1.
printf '{"cadres": [{"type": "image", "psImagePath": "absent.png", "piHaut": 1, "piGauche": 1, "piBas": 9, "piDroite": 9}]}' \
    >"$travail/image.json"
"$vitrail" render "$travail/image.json" --to png -o "$travail/i.png" 2>"$travail/err"
[ $? -eq 1 ] || echec "reported failure: status 1"
grep -q 'Code : 53' "$travail/err" || echec "reported failure: message on standard error"
echo "the vitrail command behaves"
