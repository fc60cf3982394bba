#!/usr/bin/env bash
# With no print queue, each copy becomes a PDF file of its own, and its text reads back.
set -euo pipefail
vitrail=$(realpath "$1")
planning=$(realpath "$2")
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cd "$travail"
# A scheduler that cannot be reached: the machine has no queue.
CUPS_SERVER=/nonexistent/cups.sock QT_QPA_PLATFORM=offscreen "$vitrail" render "$planning" \
    --to printer --copies 3 -q >sorties.txt 2>erreurs.txt
cat sorties.txt
for pdf in Vitrail.pdf Vitrail-2.pdf Vitrail-3.pdf; do
    grep -qx "printer: $travail/$pdf" sorties.txt || { echo "not reported: $pdf"; exit 1; }
    # The user is told where the print went, as the viewer's message box would.
    grep -q "Aucune imprimante.*fichier PDF | $travail/$pdf" erreurs.txt ||
        { cat erreurs.txt; echo "the user is not told about $pdf"; exit 1; }
    texte=$(pdftotext "$pdf" -)
    grep -q 'Planning Lundi réunion' <<<"$texte" || { echo "$pdf lacks the text: $texte"; exit 1; }
done
echo "three copies, three PDF files"
