#!/usr/bin/env bash
# The vitrail command from the outside: exit statuses, what it prints, what it writes.
set -uo pipefail
vitrail=$(realpath "$1")
exemple=$2
fichiers=$(realpath "$3")
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

# One more frame than a pass can count.
{
    printf '{"cadres": ['
    printf '{"type": "texte", "piHaut": 1, "piGauche": 1, "psText": "x"},%.0s' $(seq 32767)
    printf '{"type": "texte", "piHaut": 1, "piGauche": 1, "psText": "x"}]}'
} >"$travail/trop.json"

# check: a name, the status, the lines it must print (extended expressions; a leading ! for a
# line it must not print), then -- and the command's arguments.
verifie() {
    local nom=$1 attendu=$2 motif sortie statut
    shift 2
    local motifs=()
    while [ "$1" != -- ]; do motifs+=("$1"); shift; done
    shift
    sortie=$(timeout 60 "$vitrail" check "$@" 2>/dev/null)
    statut=$?
    [ "$statut" -eq "$attendu" ] || { echo "$sortie"; echec "check, $nom: status $statut"; }
    for motif in "${motifs[@]}"; do
        if [ "${motif:0:1}" = '!' ]; then
            ! grep -Eq -- "${motif:1}" <<<"$sortie" || { echo "$sortie"; echec "check, $nom: ${motif:1}"; }
        else
            grep -Eq -- "$motif" <<<"$sortie" || { echo "$sortie"; echec "check, $nom: no $motif"; }
        fi
    done
}
g=$fichiers/geometrie.json
verifie "example" 0 '^geometry: viewer at its designed size, 800x600 pixels, zoom 0\.8$' \
    '^every text fits its frame$' -- "$exemple"
verifie "overflow" 1 '^frame 2: drawn at 8 pt, does not fit even at the smallest size' \
    '!^frame 1' '!every text fits' -- "$fichiers/debordant.json"
# The same frame against the geometry of each target.
verifie "viewer" 1 '^frame 1: ' -- "$g"
verifie "png" 0 '^geometry: png, 1600x1200 pixels, zoom 0\.8$' '^every text fits' -- "$g" --to png
verifie "small png" 1 '^geometry: png, 800x600 pixels' '^frame 1: ' -- "$g" --to png --size 800x600
verifie "png zoomed" 0 '^geometry: png, 1600x1200 pixels, zoom 0\.4$' -- "$g" --to png --zoom 0.4
verifie "pdf" 0 '^geometry: pdf, A4 Landscape, zoom 1$' '^every text fits' -- "$g" --to pdf
verifie "pdf portrait" 0 '^geometry: pdf, A4 Portrait, zoom 0\.8$' -- "$g" --to pdf \
    --orientation Portrait
verifie "printer A3" 0 '^geometry: printer, A3 Landscape, zoom 1\.414' -- "$g" --to printer \
    --paper A3
verifie "html" 0 "^geometry: html, the page's fixed scale \\(4 page units" -- "$g" --to html
# A check that stops early is no pass.
verifie "picture" 1 '^check did not complete: a failure stopped it at frame 1$' 'Code : 53' \
    '!every text fits' '!^frame 2' -- "$fichiers/image-absente.json"
verifie "picture, pdf" 1 '^check did not complete: a failure stopped it at frame 1$' \
    -- "$fichiers/image-absente.json" --to pdf
verifie "paper" 1 '^check did not complete' 'A5' '!every text fits' -- "$g" --to pdf --paper A5
verifie "too large" 1 '^check did not complete: the planning has 32768 frames' 'Code : 6' \
    '!every text fits' -- "$travail/trop.json"
# A frame far too large for 16-bit measures reports at every size: the first 100 are kept.
python3 -c "import json; json.dump({'cadres': [{'type': 'texte', 'piHaut': 10, 'piGauche': 10,
    'piBas': 12, 'piDroite': 12, 'piFontSize': 3000,
    'psText': ' '.join('mot%d' % i for i in range(150))}]}, open('$travail/geant.json', 'w'))"
verifie "reports kept" 1 '^check did not complete' '^  and [0-9]+ more reports$' -- \
    "$travail/geant.json" --to png
verifie "nothing shown" 1 "^nothing checked: the file's target 4 shows nothing" \
    -- "$fichiers/sans-sortie.json"
verifie "nothing shown, png" 0 '^every text fits' -- "$fichiers/sans-sortie.json" --to png

# A target that shows nothing shows nothing; the viewer never waits where no one can see it.
mkdir "$travail/rien"
(cd "$travail/rien" && timeout 30 "$vitrail" render "$fichiers/sans-sortie.json" 2>"$travail/err")
[ $? -eq 0 ] || echec "target 4: status 0, at once"
grep -q "target 4 shows nothing" "$travail/err" || echec "target 4: message"
[ -z "$(ls -A "$travail/rien")" ] || echec "target 4: nothing written"
timeout 30 "$vitrail" render "$exemple" --to viewer 2>"$travail/err"
[ $? -eq 1 ] || echec "viewer off screen: status 1, at once"
grep -q "no one could see the viewer" "$travail/err" || echec "viewer off screen: message"

"$vitrail" render "$exemple" --to png -o "$travail/s.png" --size 800x600 -q >"$travail/out" ||
    echec "png"
grep -qx "$travail/s.png" "$travail/out" || echec "png: path printed"
[ "$(head -c 8 "$travail/s.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || echec "png file"
"$vitrail" render "$exemple" --to html -o "$travail/s.htm" >"$travail/out" 2>/dev/null || echec "html"
grep -qx "$travail/s.htm" "$travail/out" || echec "html: path printed"
grep -q 'Lundi' "$travail/s.htm" || echec "html: content"
# Texts are markup in the page unless escaping is asked for, by the option or by the file.
balise='{"type": "texte", "piHaut": 1, "piGauche": 1, "piBas": 90, "piDroite": 900, "psText": "<s>x"}'
printf '{"cadres": [%s]}' "$balise" >"$travail/e.json"
printf '{"cadres": [%s], "show": {"echappeHtml": true}}' "$balise" >"$travail/f.json"
for cas in "e.json:<s>x" "e.json --escape-html:&lt;s&gt;x" "f.json:&lt;s&gt;x"; do
    IFS=: read -r arguments attendu <<<"$cas"
    # shellcheck disable=SC2086
    (cd "$travail" && "$vitrail" render $arguments --to html -o e.htm >/dev/null 2>&1) ||
        echec "html $arguments"
    grep -qF "$attendu" "$travail/e.htm" || echec "html $arguments: $attendu"
done
"$vitrail" render "$exemple" --to pdf -o "$travail/s.pdf" --copies 2 >"$travail/out" 2>/dev/null ||
    echec "pdf"
[ "$(wc -l <"$travail/out")" -eq 2 ] || echec "pdf: two copies, two files"

# A failure the component reports makes the status 1.
printf '{"cadres": [{"type": "image", "psImagePath": "absent.png", "piHaut": 1, "piGauche": 1, "piBas": 9, "piDroite": 9}]}' \
    >"$travail/image.json"
"$vitrail" render "$travail/image.json" --to png -o "$travail/i.png" 2>"$travail/err"
[ $? -eq 1 ] || echec "reported failure: status 1"
grep -q 'Code : 53' "$travail/err" || echec "reported failure: message on standard error"
# The conventional command line: --version, --option=value, -o -, outputs named after the file.
grep -Eqx 'vitrail [0-9]+\.[0-9]+\.[0-9]+' <<<"$("$vitrail" --version)" || echec "--version"
grep -q 'Exit status' <<<"$aide" || echec "--help: exit statuses"
"$vitrail" render "$exemple" --to=png --size=640x480 --output="$travail/egal.png" >/dev/null 2>&1 ||
    echec "--option=value"
[ "$(identify -format %wx%h "$travail/egal.png")" = 640x480 ] || echec "--option=value: the size"
"$vitrail" render "$exemple" --quiet=yes 2>"$travail/err"; [ $? -eq 2 ] || echec "--quiet=: status 2"
grep -q -- '--quiet takes no value' "$travail/err" || echec "--quiet=: message"
"$vitrail" render "$exemple" --to pdf -o - --copies 2 2>/dev/null; [ $? -eq 2 ] ||
    echec "-o - with copies: status 2"
# to standard output: the same bytes as the file, and no path line among them.
for format in png pdf html; do
    "$vitrail" render "$exemple" --to $format -o "$travail/fichier.$format" --no-prompt \
        >/dev/null 2>&1 || echec "$format to a file"
    "$vitrail" render "$exemple" --to $format -o - --no-prompt >"$travail/flux.$format" \
        2>/dev/null || echec "$format to standard output"
    if [ $format = pdf ]; then  # the PDF's creation date differs: its pages must not
        cmp -s <(pdftotext "$travail/fichier.pdf" -) <(pdftotext "$travail/flux.pdf" -) &&
            [ "$(head -c 5 "$travail/flux.pdf")" = %PDF- ] && [ "$(tail -c 6 "$travail/flux.pdf")" = %%EOF ]
    else
        cmp -s "$travail/fichier.$format" "$travail/flux.$format"
    fi || echec "$format to standard output: not the file's bytes alone"
done
mkdir "$travail/ici"
for format in png pdf html; do
    (cd "$travail/ici" && "$vitrail" render "$exemple" --to $format -q --no-prompt \
        >"$travail/out" 2>/dev/null) || echec "$format named after the file"
    nom=semaine.$format; [ $format = html ] && nom=semaine.htm
    [ -s "$travail/ici/$nom" ] || echec "$format named after the file: no $nom"
    grep -q "$nom\$" "$travail/out" || echec "$format named after the file: path printed"
done
cp "$exemple" "$travail/ici/lui.png"
(cd "$travail/ici" && "$vitrail" render lui.png --to png 2>"$travail/err")
[ $? -eq 2 ] && cmp -s "$exemple" "$travail/ici/lui.png" ||
    echec "a file named like its output: status 2, the file kept"
grep -q 'would replace the planning file' "$travail/err" || echec "a file named like its output: message"
# --copies is honoured without the printer dialog.
(cd "$travail/ici" && "$vitrail" render "$exemple" --to pdf --copies 3 --no-prompt >"$travail/out" \
    2>/dev/null) || echec "--copies with --no-prompt"
[ "$(wc -l <"$travail/out")" -eq 3 ] && [ -s "$travail/ici/semaine-3.pdf" ] ||
    echec "--copies with --no-prompt: three files"
# --scale draws everything larger, text included: a lone text's ink grows with the picture.
printf '{"cadres": [{"type": "texte", "piHaut": 10, "piGauche": 10, "piBas": 60, "piDroite": 150, "psText": "Lundi matin", "piFontSize": 14, "pbFontTransparent": true}]}' \
    >"$travail/texte.json"
encre() { convert "$1" -trim -format %w info:; }
"$vitrail" render "$travail/texte.json" --to png --size 400x300 -o "$travail/e1.png" >/dev/null 2>&1
"$vitrail" render "$travail/texte.json" --to png --size=400x300 --dpi=192 -o "$travail/e2.png" \
    >/dev/null 2>&1 || echec "--dpi"
[ "$(identify -format %wx%h "$travail/e2.png")" = 800x600 ] || echec "--dpi 192: the picture's size"
l1=$(encre "$travail/e1.png"); l2=$(encre "$travail/e2.png")
[ $((l2 * 10)) -ge $((l1 * 17)) ] && [ $((l2 * 10)) -le $((l1 * 23)) ] ||
    echec "--dpi 192: the text is $l2 pixels wide, against $l1"
"$vitrail" render "$exemple" --to png --size 15000x100 --scale 2 2>/dev/null
[ $? -eq 2 ] || echec "--scale past 20000 pixels: status 2"

# The progress line is for a terminal only.
python3 -c "import json; json.dump({'cadres': [{'type': 'texte', 'piHaut': i % 50, 'piGauche': 10,
    'piBas': i % 50 + 5, 'piDroite': 40, 'psText': 'x'} for i in range(250)]}, open('$travail/long.json', 'w'))"
"$vitrail" render "$travail/long.json" --to png -o "$travail/l.png" 2>"$travail/err" >/dev/null
! grep -q 'frame 250 / 250' "$travail/err" || echec "progress line in a file"
script -qec "'$vitrail' render '$travail/long.json' --to png -o '$travail/l.png'" /dev/null \
    >"$travail/tty" 2>&1 || echec "render on a terminal"
grep -q 'frame 250 / 250' "$travail/tty" || echec "no progress line on a terminal"
echo "the vitrail command behaves"
