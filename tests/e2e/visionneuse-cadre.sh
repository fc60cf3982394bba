#!/usr/bin/env bash
# The viewer under a window manager: the size the host gives is the window's outer size, frame
# included, and Escape still closes the window.
set -euo pipefail
vitrail=$1
planning=$2
travail=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$travail"' EXIT
command -v twm >/dev/null || { echo "no twm here"; exit 77; }

source "$(dirname "$0")/x11.sh"
demarre_xvfb
HOME=$travail twm >"$travail/twm.log" 2>&1 &
sleep 1

# The host asks for 10500 by 7500 twips: 700 by 500 pixels at Qt's 96 logical dots per inch.
"$vitrail" render "$planning" --to viewer -q >"$travail/vitrail.log" 2>&1 &
pid=$!
fenetres=$(timeout 60 xdotool search --sync --onlyvisible --name '^Vitrail e2e$')
fenetre=$(head -n 1 <<<"$fenetres")
mesure() { xwininfo -id "$1" | awk -v c="$2" -F: '$1 ~ c {gsub(/ /, "", $2); print $2}'; }
for _ in $(seq 300); do
    arbre=$(xwininfo -tree -id "$fenetre")
    cadre=$(awk '/Parent window id/ {print $4}' <<<"$arbre")
    bord=$(mesure "$cadre" 'Border width')
    largeur=$(($(mesure "$cadre" '^ *Width') + 2 * bord))
    hauteur=$(($(mesure "$cadre" '^ *Height') + 2 * bord))
    [ "$largeur" -eq 700 ] && [ "$hauteur" -eq 500 ] && break
    sleep 0.1
done
interieur=$(mesure "$fenetre" '^ *Height')
echo "outer ${largeur}x${hauteur}, inner height $interieur"
[ "$interieur" -lt "$hauteur" ] || { echo "no frame was put on: nothing checked"; exit 1; }
[ "$largeur" -eq 700 ] && [ "$hauteur" -eq 500 ] || { echo "outer size is not the host's"; exit 1; }

ferme_par_echap "$fenetre" "$pid"
echo "viewer framed at the host's outer size and closed with Escape"
