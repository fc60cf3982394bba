#!/usr/bin/env bash
# The viewer in a real X server: it opens, shows the planning (the first frame's fill colour is
# on the screen), and Escape closes it.
set -euo pipefail
vitrail=$1
planning=$2
travail=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$travail"' EXIT

source "$(dirname "$0")/x11.sh"
demarre_xvfb

"$vitrail" render "$planning" --to viewer -q >"$travail/vitrail.log" 2>&1 &
pid=$!
fenetres=$(timeout 60 xdotool search --sync --onlyvisible --name '^Vitrail e2e$')
fenetre=$(head -n 1 <<<"$fenetres")
# Pixels of the fill colour #CCE0FF: the planning was drawn, not only the window. A slow build
# (the sanitizers) may take a while to paint: look again for up to ten seconds.
remplis=0
for _ in $(seq 20); do
    sleep 0.5
    import -window root "$travail/ecran.png"
    remplis=$(convert "$travail/ecran.png" -fill black +opaque 'rgb(204,224,255)' \
        -fill white -opaque 'rgb(204,224,255)' -format '%[fx:round(mean*w*h)]' info:)
    [ "$remplis" -gt 2000 ] && break
done
[ -z "${VITRAIL_E2E_CAPTURE:-}" ] || cp "$travail/ecran.png" "$VITRAIL_E2E_CAPTURE"
echo "pixels of the first frame's fill: $remplis"
[ "$remplis" -gt 2000 ] || { echo "the planning is not on the screen"; exit 1; }

# No window manager here: the keyboard goes to the window under the pointer.
ferme_par_echap "$fenetre" "$pid"
echo "viewer shown and closed with Escape"
