#!/usr/bin/env bash
# The Python module installed two ways, each then imported from elsewhere and made to write a
# page: cmake --install (the module finds the library it was installed with, nothing set) and
# pip in a virtual environment, offline (the library through VITRAIL_LIB).
#   installation.sh BUILD-DIR PYTHON-SOURCE PYTHON MODULE-DIR-UNDER-PREFIX
set -euo pipefail
construction=$1
source=$2
python=$3
dossier=$4
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cd "$travail"
# A page through the module; prints the library it loaded.
essai='import sys, vitrail
with vitrail.Plan(console=True) as plan:
    plan.new_cadre_texte(10, 20, bas=40, droite=300, text="Lundi <b>réunion</b>")
    plan.show(type_impression=vitrail.Sortie.HTML, chemin=sys.argv[1])
print(vitrail.charge()._name)'

cmake --install "$construction" --prefix "$travail/prefixe" >/dev/null
charge=$(env -u VITRAIL_LIB -u LD_LIBRARY_PATH PYTHONPATH="$travail/prefixe/$dossier" \
    "$python" -c "$essai" "$travail/cmake.htm" 2>/dev/null)
[ "$(realpath "$charge")" = "$(realpath "$travail/prefixe/lib/libvitrail.so.0")" ] ||
    { echo "cmake --install: the module loaded '$charge'"; exit 1; }
grep -q 'Lundi&nbsp<b>r' "$travail/cmake.htm" || { echo "cmake --install: no page"; exit 1; }

# Debian's setuptools and wheel come from the system; nothing is fetched.
cp -r "$source" "$travail/source"
"$python" -m venv --system-site-packages "$travail/venv"
"$travail/venv/bin/pip" install --no-index --no-build-isolation --quiet "$travail/source"
charge=$(VITRAIL_LIB="$travail/prefixe/lib/libvitrail.so.0" PYTHONPATH= \
    "$travail/venv/bin/python" -c "$essai" "$travail/venv.htm" 2>/dev/null)
grep -q 'Lundi&nbsp<b>r' "$travail/venv.htm" || { echo "venv: no page"; exit 1; }
module=$("$travail/venv/bin/python" -c 'import vitrail; print(vitrail.__file__)')
case $module in
    "$travail/venv/"*) ;;
    *) echo "venv: vitrail imported from $module"; exit 1 ;;
esac
echo "Python module: cmake --install and pip in a venv import and write a page"
