#!/usr/bin/env bash
# What the vitrail command writes when writing goes wrong: the previous file stays whole, no
# temporary file is left, the failure is reported with status 1, and what is not a regular file
# is written in place.
set -uo pipefail
vitrail=$1
exemple=$2
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echec() { echo "FAILED: $*"; exit 1; }
# Drafts go to TMPDIR: one per test, so that a draft left behind shows.
export TMPDIR=$travail/tmp
mkdir "$TMPDIR"
export XDG_RUNTIME_DIR=$travail/xdg  # else the toolkit makes its own in TMPDIR
mkdir -m 700 "$XDG_RUNTIME_DIR"
sortie=$travail/sortie
mkdir "$sortie"
restes() { ls -A "$TMPDIR"; find "$sortie" -name '.vitrail-*'; }
sansReste() {
    local reste
    reste=$(restes)
    [ -z "$reste" ] || echec "$1: temporary files left: $reste"
}

"$vitrail" render "$exemple" --to pdf -o "$sortie/s.pdf" >/dev/null 2>&1 || echec "first pdf"
"$vitrail" render "$exemple" --to png -o "$sortie/s.png" >/dev/null 2>&1 || echec "first png"
"$vitrail" render "$exemple" --to html -o "$sortie/s.htm" >/dev/null 2>&1 || echec "first html"
for f in s.pdf s.png s.htm; do cp "$sortie/$f" "$travail/avant-$f"; done
intact() { cmp -s "$sortie/$1" "$travail/avant-$1" || echec "$2: the previous $1 was changed"; }

# Writes that fail: on a full device, or past a file size limit.
err=$("$vitrail" render "$exemple" --to pdf -o /dev/full 2>&1 >"$travail/out")
[ $? -eq 1 ] || echec "pdf onto /dev/full: status 1"
grep -q 'No space left on device' <<<"$err" || echec "pdf onto /dev/full: message"
[ ! -s "$travail/out" ] || echec "pdf onto /dev/full: no path printed"
sansReste "pdf onto /dev/full"

err=$(ulimit -f 4 && "$vitrail" render "$exemple" --to pdf -o "$sortie/s.pdf" 2>&1 >/dev/null)
[ $? -eq 1 ] || echec "pdf past the size limit: status 1"
grep -q 'Err. N°482' <<<"$err" || echec "pdf past the size limit: message"
intact s.pdf "pdf past the size limit"
sansReste "pdf past the size limit"

err=$(ulimit -f 4 && "$vitrail" render "$exemple" --to png -o "$sortie/s.png" --size 1600x1200 2>&1)
[ $? -eq 1 ] || echec "png past the size limit: status 1"
grep -q "cannot write $sortie/s.png: File too large" <<<"$err" || echec "png past the size limit: message"
intact s.png "png past the size limit"
sansReste "png past the size limit"

# A print that stops at a frame is thrown away: no PDF, the previous one left as it was.
cat >"$travail/interrompu.json" <<'JSON'
{"cadres": [
 {"type": "texte", "piHaut": 10, "piGauche": 10, "piBas": 40, "piDroite": 80, "psText": "Premier"},
 {"type": "image", "psImagePath": "absente.png", "piHaut": 50, "piGauche": 10, "piBas": 60, "piDroite": 20},
 {"type": "texte", "piHaut": 70, "piGauche": 10, "piBas": 90, "piDroite": 80, "psText": "Second"}]}
JSON
err=$("$vitrail" render "$travail/interrompu.json" --to pdf -o "$sortie/s.pdf" --no-prompt 2>&1 >"$travail/out")
[ $? -eq 1 ] || echec "print stopped at a frame: status 1"
grep -q 'Impression annulée' <<<"$err" || echec "print stopped at a frame: message"
[ ! -s "$travail/out" ] || echec "print stopped at a frame: no path printed"
intact s.pdf "print stopped at a frame"
sansReste "print stopped at a frame"

# The page and the SVG of the screen pass: a drawing that fails replaces neither.
for f in s.html s.svg; do
    "$vitrail" render "$exemple" --to "$( [ $f = s.svg ] && echo svg || echo html5)" \
        -o "$sortie/$f" >/dev/null 2>&1 || echec "first $f"
    cp "$sortie/$f" "$travail/avant-$f"
done
for cible in html5:s.html svg:s.svg; do
    err=$("$vitrail" render "$travail/interrompu.json" --to "${cible%%:*}" -o "$sortie/${cible#*:}" \
        2>&1 >"$travail/out")
    [ $? -eq 1 ] || echec "${cible%%:*} of a failing drawing: status 1"
    grep -q "not written: the drawing failed" <<<"$err" || echec "${cible%%:*} of a failing drawing: message"
    [ ! -s "$travail/out" ] || echec "${cible%%:*} of a failing drawing: no path printed"
    intact "${cible#*:}" "${cible%%:*} of a failing drawing"
    sansReste "${cible%%:*} of a failing drawing"
done

# Texts reach the page as text: the markup as its three tags, anything else escaped.
cat >"$travail/balises.json" <<'JSON'
{"cadres": [{"type": "texte", "piHaut": 10, "piGauche": 10, "piBas": 40, "piDroite": 200,
  "psText": "<img src=x onerror=alert(1)> & \"q\" <b>gras</b> <i>pench\u00e9</i> <u>soulign\u00e9</u>"},
 {"type": "image", "psImagePath": "LOGO", "piHaut": 50, "piGauche": 10, "piBas": 60, "piDroite": 30}]}
JSON
sed -i "s|LOGO|$(dirname "$exemple")/logo.png|" "$travail/balises.json"
"$vitrail" render "$travail/balises.json" --to html5 -o "$sortie/b.html" >/dev/null 2>&1 || echec "html5 of markup"
page=$(cat "$sortie/b.html")
grep -q '<!DOCTYPE html>' <<<"$page" && grep -q '<meta charset="utf-8">' <<<"$page" || echec "html5: doctype and charset"
grep -q '&lt;img src=x onerror=alert(1)&gt; &amp; &quot;q&quot;' <<<"$page" || echec "html5: text escaped"
grep -q '<img src=x' <<<"$page" && echec "html5: a tag of the text reached the page"
for tag in '<b>gras</b>' '<i>penché</i>' '<u>souligné</u>'; do
    grep -qF "$tag" <<<"$page" || echec "html5: $tag"
done
grep -q '<img alt="" src="data:image/png;base64,' <<<"$page" || echec "html5: the picture as a data URL"
"$vitrail" render "$travail/balises.json" --to svg -o "$sortie/b.svg" >/dev/null 2>&1 || echec "svg of markup"
grep -q '>&lt;img src=x onerror=alert(1)&gt; &amp; ' "$sortie/b.svg" || echec "svg: text kept as text"

# Targets that are not regular files.
mkfifo "$sortie/tube.htm"
exec 3<>"$sortie/tube.htm"  # read and write: opens at once, and the page fits the pipe
"$vitrail" render "$exemple" --to html -o "$sortie/tube.htm" >/dev/null 2>&1 || echec "html onto a FIFO"
debut=$(timeout 5 head -c 6 <&3)
exec 3<&-
[ -p "$sortie/tube.htm" ] || echec "html onto a FIFO: the FIFO was replaced"
[ "$debut" = "<html>" ] || echec "html onto a FIFO: the page went through it"
rm "$sortie/tube.htm"

# A device node of its own (root only): the system's /dev/null must never be at stake here.
if mknod "$sortie/nul" c 1 3 2>/dev/null; then
    "$vitrail" render "$exemple" --to html -o "$sortie/nul" >/dev/null 2>&1 || echec "html onto a device"
    [ -c "$sortie/nul" ] || echec "html onto a device: the node was replaced"
    rm "$sortie/nul"
fi

ln -s page-neuve.htm "$sortie/lien.htm"
"$vitrail" render "$exemple" --to html -o "$sortie/lien.htm" >/dev/null 2>&1 ||
    echec "html onto a dangling link"
[ -L "$sortie/lien.htm" ] || echec "html onto a dangling link: the link was replaced"
grep -q 'Lundi' "$sortie/page-neuve.htm" || echec "html onto a dangling link: the page it names"
rm "$sortie/lien.htm" "$sortie/page-neuve.htm"

: >"$travail/flux"
inode=$(stat -c %i "$travail/flux")
"$vitrail" render "$exemple" --to html -o /dev/stdout >"$travail/flux" 2>/dev/null ||
    echec "html onto standard output"
[ "$(stat -c %i "$travail/flux")" = "$inode" ] || echec "html onto standard output: file replaced"
grep -q 'Lundi' "$travail/flux" || echec "html onto standard output: the page"
[ "$(tail -n 1 "$travail/flux")" = /dev/stdout ] || echec "html onto standard output: the path"
sansReste "html onto standard output"

# Stopped midway: a planning long enough to be caught while its temporary file exists.
{
    printf '{"cadres": [\n'
    for i in $(seq 1 3000); do
        printf '{"type": "texte", "piHaut": %d, "piGauche": 10, "piBas": %d, "piDroite": 200, "psText": "Ligne %d"},\n' \
            $((i % 400)) $((i % 400 + 20)) "$i"
    done
    printf '{"type": "texte", "piHaut": 1, "piGauche": 1, "piBas": 5, "piDroite": 5, "psText": "fin"}]}\n'
} >"$travail/long.json"
interromps() {  # signal, format, target, status expected
    local signal=$1 format=$2 cible=$3 attendu=$4 pid statut
    set -m  # a job of its own: a background job would otherwise ignore SIGINT
    "$vitrail" render "$travail/long.json" --to "$format" -o "$sortie/$cible" -q \
        >/dev/null 2>&1 &
    pid=$!
    set +m
    for _ in $(seq 1 1000); do
        [ -n "$(restes)" ] && break
        sleep 0.01
    done
    [ -n "$(restes)" ] || echec "$signal during $cible: no temporary file seen"
    kill "-$signal" "$pid"
    wait "$pid"
    statut=$?
    [ "$statut" -eq "$attendu" ] || echec "$signal during $cible: status $statut"
    intact "$cible" "$signal during $cible"
    sansReste "$signal during $cible"
}
interromps INT pdf s.pdf 130
interromps TERM html s.htm 143
echo "what the vitrail command writes survives failures"
