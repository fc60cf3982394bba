#!/usr/bin/env bash
# Bad input of every kind. Each row gives the command, the exit status and exactly what the user
# sees on standard error, and checks that the previous output file is unchanged.
set -uo pipefail
vitrail=$1
hote=$2
exemples=$3
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
export XDG_RUNTIME_DIR=$travail/xdg  # else the toolkit says it made its own
# Under LeakSanitizer, the suppressions used would be listed with the messages.
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$travail" || exit 1
echecs=0
echec() {
    echo "FAILED: $*"
    echecs=$((echecs + 1))
}

# ligne NAME STATUS MESSAGE OUTPUT COMMAND...: OUTPUT holds a previous file while COMMAND runs.
ligne() {
    local nom=$1 statut=$2 attendu=$3 sortie=$4 err rc
    shift 4
    printf 'ancien\n' >"$sortie"
    err=$("$@" 2>&1 >/dev/null)
    rc=$?
    [ "$rc" -eq "$statut" ] || echec "$nom: status $rc, not $statut"
    [ "$err" = "$attendu" ] || printf 'FAILED: %s: message\n  got:      %s\n  expected: %s\n' \
        "$nom" "$err" "$attendu"
    [ "$err" = "$attendu" ] || echecs=$((echecs + 1))
    [ "$(cat "$sortie")" = ancien ] || echec "$nom: the previous $sortie was changed"
}
ecrit() { printf '%b' "$2" >"$1"; }
composant() {
    printf "vitrail: [Erreur de Vitrail.dll] Le composant Vitrail.DLL a causé une erreur de "
    printf "Vitrail dans le module : %s' | Code : %s | Description : %s -> OK" "$1" "$2" "$3"
}
annulee="vitrail: [Imprimer le planning] Impression annulée -> OK"
cadre='{"type": "texte", "piHaut": 100, "piGauche": 1, "piBas": 190, "piDroite": 90, "psText": "x"}'

# The planning file: every fault names the file, the line and the field, status 2.
ecrit f.json '{"cadres": [\n{"type": "texte", "piHaut": 1e400, "piGauche": 1}]}'
ligne "number overflow" 2 \
    "vitrail: f.json:2: champ /cadres/0/piHaut : nombre hors des limites : number overflow parsing '1e400'" \
    p.png "$vitrail" render f.json --to png -o p.png
# JSON has no NaN or infinity: a file that writes them is malformed.
ecrit f.json '{"cadres": [\n{"type": "texte", "piHaut": NaN, "piGauche": 1}]}'
ligne "NaN" 2 \
    "vitrail: f.json:2: champ /cadres/0/piHaut : JSON mal formé : syntax error while parsing value - invalid literal; last read: '\"piHaut\": N'" \
    p.png "$vitrail" render f.json --to png -o p.png
ecrit f.json '{"cadres": [\n{"type": "texte", "piHaut": 1, "piGauche": -Infinity}]}'
ligne "infinity" 2 \
    "vitrail: f.json:2: champ /cadres/0/piGauche : JSON mal formé : syntax error while parsing value - invalid number; expected digit after '-'; last read: '-I'" \
    p.png "$vitrail" render f.json --to png -o p.png
ecrit f.json '{"cadres": [\n{"type": "texte", "piHaut": 1, "piGauche": 1, "piFontSize": 99999}]}'
ligne "integer out of range" 2 \
    "vitrail: f.json:2: champ /cadres/0/piFontSize : hors des limites -32768 à 32767" \
    p.png "$vitrail" render f.json --to png -o p.png
for niveaux in 40000 100000; do
    { printf '{"cadres":\n'; head -c $niveaux /dev/zero | tr '\0' '['; } >f.json
    ligne "$niveaux levels" 2 \
        "vitrail: f.json:2: champ /cadres/0/0/0/0/0/…/0/0/0 : plus de 256 niveaux d'imbrication" \
        p.png "$vitrail" render f.json --to png -o p.png
done
ecrit f.json '{\n "cadres": [\n  {"type": texte}\n ]\n}'
ligne "malformed" 2 \
    "vitrail: f.json:3: champ /cadres/0/type : JSON mal formé : syntax error while parsing value - invalid literal; last read: '\"type\": te'" \
    p.png "$vitrail" render f.json --to png -o p.png
ecrit f.json '{"cadres": [\n{"type": "texte", "piHaut": 1, "piGauche": 1, "psText": "Lun'
ligne "truncated" 2 \
    "vitrail: f.json:2: champ /cadres/0/psText : JSON mal formé : syntax error while parsing value - invalid string: missing closing quote; last read: '\"Lun'" \
    p.png "$vitrail" render f.json --to png -o p.png
: >f.json
ligne "empty" 2 \
    "vitrail: f.json:1: champ / : JSON mal formé : syntax error while parsing value - unexpected end of input; expected '[', '{', or a literal" \
    p.png "$vitrail" render f.json --to png -o p.png
ecrit f.json '{"cadres": [{"type": "texte", "piHaut": 1, "piGauche": 1,\n "psText": "L\xc3\x28"}]}'
ligne "invalid UTF-8" 2 \
    "vitrail: f.json:2: champ /cadres/0/psText : JSON mal formé : syntax error while parsing value - invalid string: ill-formed UTF-8 byte; last read: '\"L\\xC3('" \
    p.png "$vitrail" render f.json --to png -o p.png
ligne "missing" 2 "vitrail: absent.json: impossible de lire le fichier : No such file or directory" \
    p.png "$vitrail" render absent.json --to png -o p.png
mkdir rep.json
ligne "a folder" 2 "vitrail: rep.json: impossible de lire le fichier : c'est un dossier" \
    p.png "$vitrail" render rep.json --to png -o p.png

# The page a planning file names: only inside its folder and as .htm or .html.
mkdir -p plans/sous
dossier=$(cd plans && pwd -P)
montre() { ecrit plans/plan.json "{\"cadres\": [$cadre], \"show\": {\"piTypeImpression\": 3, \"psChemin\": \"$1\"}}"; }
refus="; name the page with -o, or give --trust-paths if you trust this file"
montre ../victime.txt
ligne "page outside the folder" 2 \
    "vitrail: plans/plan.json: the output path \"../victime.txt\" of its show section leads outside the planning file's folder $dossier$refus" \
    victime.txt "$vitrail" render plans/plan.json
montre victime.txt
ligne "page not .htm" 2 \
    "vitrail: plans/plan.json: the output path \"victime.txt\" of its show section does not end in .htm or .html$refus" \
    plans/victime.txt "$vitrail" render plans/plan.json
ln -s ../victime.txt plans/lien.htm
montre lien.htm
ligne "page through a link" 2 \
    "vitrail: plans/plan.json: the output path \"lien.htm\" of its show section leads outside the planning file's folder $dossier (to $travail/victime.txt)$refus" \
    victime.txt "$vitrail" render plans/plan.json
# An absolute path, in the test's own folder: a broken check must never reach a real file.
montre "$travail/ailleurs.txt"
ligne "page elsewhere" 2 \
    "vitrail: plans/plan.json: the output path \"$travail/ailleurs.txt\" of its show section leads outside the planning file's folder $dossier$refus" \
    ailleurs.txt "$vitrail" render plans/plan.json
# -o, a page inside the folder, and a trusted file are written.
ligne "-o names the page" 0 "vitrail: [Enregistrer sous HTML] Le fichier HTML o.htm a été créé. -> OK" \
    victime.txt "$vitrail" render plans/plan.json -o o.htm
grep -q '</html>' o.htm || echec "-o names the page: the page"
montre sous/page.HTML
ligne "page inside the folder" 0 \
    "vitrail: [Enregistrer sous HTML] Le fichier HTML $travail/plans/sous/page.HTML a été créé. -> OK" \
    victime.txt "$vitrail" render plans/plan.json
grep -q '</html>' plans/sous/page.HTML || echec "page inside the folder: the page"
montre ../confiance.htm
ligne "--trust-paths" 0 \
    "vitrail: [Enregistrer sous HTML] Le fichier HTML $travail/plans/../confiance.htm a été créé. -> OK" \
    victime.txt "$vitrail" render plans/plan.json --trust-paths
grep -q '</html>' confiance.htm || echec "--trust-paths: the page"

# What the component refuses while drawing: reported, status 1, the previous file kept.
ecrit f.json "{\"cadres\": [{\"type\": \"texte\", \"piHaut\": 1e300, \"piGauche\": 1, \"piBas\": 9, \"piDroite\": 9}, $cadre]}"
ligne "coordinate out of range" 1 "$(composant ioObject 6 "Dépassement de capacité")
vitrail: f.json:1: frame /cadres/0
$annulee" p.htm "$vitrail" render f.json --to html -o p.htm
cp "$exemples/logo.png" logo.png
: >vide.png
head -c 200 logo.png >tronque.png
echo "pas une image" >texte.png
for image in absente.png:53:"Fichier introuvable" vide.png:481:"Image non valide" \
    tronque.png:481:"Image non valide" texte.png:481:"Image non valide"; do
    IFS=: read -r nom code description <<<"$image"
    ecrit f.json "{\"cadres\": [{\"type\": \"image\", \"psImagePath\": \"$nom\", \"piHaut\": 1, \"piGauche\": 1, \"piBas\": 90, \"piDroite\": 90}, $cadre]}"
    attendu="$(composant ImprimeObjet "$code" "$description")
vitrail: f.json:1: frame /cadres/0, picture $nom
$annulee
vitrail: p.png not written: the drawing failed"
    [ "$nom" = tronque.png ] && attendu="libpng error: Read Error
$attendu"
    ligne "picture $nom" 1 "$attendu" p.png "$vitrail" render f.json --to png -o p.png
done
ecrit f.json "{\"cadres\": [\n$cadre,\n\n{\"type\": \"texte\", \"piHaut\": 1, \"piGauche\": 1, \"pbFontItalic\": \"peut-être\"}]}"
ligne "flag that reads as no Boolean" 1 "$(composant NewCadreTexte 13 "Incompatibilité de type")
vitrail: f.json:4: frame /cadres/1
vitrail: p.png not written: the drawing failed" p.png "$vitrail" render f.json --to png -o p.png
ecrit f.json "{\"cadres\": [$cadre,\n{\"type\": \"image\", \"psImagePath\": \"absente.png\", \"piHaut\": 1, \"piGauche\": 1, \"piBas\": 90, \"piDroite\": 90}]}"
ligne "check names the frame" 1 "$(composant ImprimeObjet 53 "Fichier introuvable")
vitrail: f.json:2: frame /cadres/1, picture absente.png" p.png "$vitrail" check f.json --to png
mkdir dossier.htm
ligne "page in a missing folder" 1 "$(composant Imprime 76 "Chemin d'accès introuvable")
vitrail: output absent/p.htm" \
    p.htm "$vitrail" render "$exemples/semaine.json" --to html -o absent/p.htm -q
ligne "page onto a folder" 1 "$(composant Imprime 75 "Erreur d'accès au chemin/fichier")
vitrail: output dossier.htm" \
    p.htm "$vitrail" render "$exemples/semaine.json" --to html -o dossier.htm -q
[ -d dossier.htm ] || echec "page onto a folder: the folder"
python3 -c "
import json
cadre = {'type': 'texte', 'piHaut': 1, 'piGauche': 1, 'piBas': 9, 'piDroite': 9}
json.dump({'cadres': [cadre] * 32768}, open('f.json', 'w'))"
ligne "32768 frames" 1 "$(composant Imprime 6 "Dépassement de capacité")
vitrail: output p.htm" \
    p.htm "$vitrail" render f.json --to html -o p.htm -q

# A floor far below any size: the text shrinks to the smallest size that can be drawn, and
# stops there (the command ran for ever).
ecrit f.json "{\"initialise\": {\"pdMinFontSize\": -1e300}, \"cadres\": [{\"type\": \"texte\", \"piHaut\": 100, \"piGauche\": 1, \"piBas\": 50, \"piDroite\": 90, \"psText\": \"Lundi\"}]}"
timeout 60 "$vitrail" render f.json --to png -o plancher.png -q >/dev/null 2>&1
rc=$?
[ "$rc" -eq 0 ] || echec "floor of -1e300: status $rc, not 0"
[ -s plancher.png ] || echec "floor of -1e300: no picture"

# The C interface: refused arguments change nothing; a coordinate the drawing cannot take is
# reported by the component, whose failures never reach the host, and the page stays.
ligneC() {
    local nom=$1 sortieAttendue=$2 erreurAttendue=$3 sortie err
    printf 'ancien\n' >p.htm
    sortie=$("$hote" "$travail/p.htm" "$nom" 2>"$travail/err")
    err=$(cat "$travail/err")
    [ "$sortie" = "$sortieAttendue" ] || printf 'FAILED: C %s: codes\n  got:      %s\n  expected: %s\n' \
        "$nom" "$sortie" "$sortieAttendue"
    [ "$err" = "$erreurAttendue" ] || printf 'FAILED: C %s: message\n  got:      %s\n  expected: %s\n' \
        "$nom" "$err" "$erreurAttendue"
    [ "$sortie" = "$sortieAttendue" ] && [ "$err" = "$erreurAttendue" ] || echecs=$((echecs + 1))
    [ "$(cat p.htm)" = ancien ] || echec "C $nom: the previous page was changed"
}
ligneC taille "new_cadre_texte: 1 vitrail_new_cadre_texte : piFontSize : 32768 hors de l'intervalle -32768..32767
show: 0 " ""
ligneC haut-nan "new_cadre_texte: 1 vitrail_new_cadre_texte : piHaut : valeur obligatoire
show: 0 " ""
ligneC texte-utf8 "new_cadre_texte: 1 vitrail_new_cadre_texte : psText : texte UTF-8 invalide à l'octet 7
show: 0 " ""
ligneC haut-infini "new_cadre_texte: 0 
new_cadre_texte: 0 
show: 0 " "$(composant ioObject 6 "Dépassement de capacité")
$annulee"
ligneC bas-infini "new_cadre_texte: 0 
new_cadre_texte: 0 
show: 0 " "$(composant ImprimeObjet 6 "Dépassement de capacité")
$annulee"

[ "$echecs" -eq 0 ] || exit 1
echo "every bad input gets its message and loses nothing"
