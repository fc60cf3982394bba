#!/usr/bin/env bash
# Real printing: a CUPS queue on cups-pdf, made the default; three copies are three print jobs,
# so three PDF files whose text reads back.
set -euo pipefail
vitrail=$(realpath "$1")
planning=$(realpath "$2")
if [ "$(id -u)" -ne 0 ]; then echo "skipped: setting up a CUPS queue needs root"; exit 77; fi
file=VitrailE2E$$
sortie=$(mktemp -d)
chmod 0777 "$sortie"
conf=/etc/cups/cups-pdf-$file.conf
demarre=""
nettoie() {
    lpadmin -x "$file" 2>/dev/null || true
    rm -f "$conf"
    [ -z "$demarre" ] || kill "$demarre" 2>/dev/null || true
    rm -rf "$sortie"
}
trap nettoie EXIT

printf 'Out %s\nAnonDirName %s\n' "$sortie" "$sortie" >"$conf"
# No `grep -q` on a pipe: leaving it early would fail the pipeline under pipefail.
ordonnanceur_actif() { [[ $(lpstat -r 2>/dev/null) == *'is running'* ]]; }
if ! ordonnanceur_actif; then
    /usr/sbin/cupsd -f >/dev/null 2>&1 &
    demarre=$!
    for _ in $(seq 600); do ordonnanceur_actif && break; sleep 0.1; done
fi
# pdftocairo turns the job into PostScript with fonts that keep their text, so the PDF that
# cups-pdf makes of it can be read back.
lpadmin -p "$file" -E -v "cups-pdf:/$file" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
    -o pdftops-renderer-default=pdftocairo 2>/dev/null
lpadmin -d "$file"

QT_QPA_PLATFORM=offscreen "$vitrail" render "$planning" --to printer --copies 3 -q | tee "$sortie/sorties.txt"
[ "$(grep -c -x "printer: $file" "$sortie/sorties.txt")" -eq 3 ] || { echo "not three jobs"; exit 1; }
for _ in $(seq 300); do
    [ "$(find "$sortie" -name '*.pdf' | wc -l)" -ge 3 ] && break
    sleep 0.2
done
pdfs=$(find "$sortie" -name '*.pdf' | sort)
echo "$pdfs"
[ "$(wc -l <<<"$pdfs")" -eq 3 ] || { echo "expected three PDF files"; lpstat -W all -o || true; exit 1; }
while IFS= read -r pdf; do
    sleep 0.2  # cups-pdf may still be writing the last one
    texte=$(pdftotext "$pdf" -)
    grep -q 'Planning Lundi réunion' <<<"$texte" || { echo "$pdf lacks the text"; exit 1; }
done <<<"$pdfs"
echo "three copies printed through CUPS"
