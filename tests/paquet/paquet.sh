#!/usr/bin/env bash
# The installed package: cmake --install, then a host built against it with find_package and
# one with pkg-config, both run.
set -euo pipefail
construction=$1
source=$2
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cmake --install "$construction" --prefix "$travail/prefixe" >/dev/null
test -L "$travail/prefixe/lib/libvitrail.so.0" || { echo "no soname link"; exit 1; }
# Read the whole header first: `grep -q` leaving a pipe early would fail it under pipefail.
entete=$(objdump -p "$travail/prefixe/lib/libvitrail.so")
grep -q 'SONAME *libvitrail.so.0' <<<"$entete" || { echo "no soname"; exit 1; }

# The command, beside its library, with its manual page and completion; one version number.
prefixe=$travail/prefixe
export PKG_CONFIG_PATH=$prefixe/lib/pkgconfig
version=$(pkg-config --modversion vitrail)
[ "$("$prefixe/bin/vitrail" --version)" = "vitrail $version" ] ||
    { echo "installed vitrail --version is not the package's $version"; exit 1; }
grep -q "#define VITRAIL_VERSION \"$version\"" "$prefixe/include/vitrail/Version.h" ||
    { echo "Version.h is not the package's $version"; exit 1; }
QT_QPA_PLATFORM=offscreen "$prefixe/bin/vitrail" render "$source/examples/semaine.json" --to png \
    -o "$travail/installe.png" -q >/dev/null 2>&1 || { echo "installed vitrail does not run"; exit 1; }
man -l "$prefixe/share/man/man1/vitrail.1" 2>/dev/null | grep -q 'EXIT STATUS' ||
    { echo "no manual page"; exit 1; }
# shellcheck disable=SC1091
completions=$(bash -c "source '$prefixe/share/bash-completion/completions/vitrail'
    COMP_WORDS=(vitrail render x.json --to p); COMP_CWORD=4; _vitrail; echo \"\${COMPREPLY[*]}\"")
[ "$completions" = "printer pdf png" ] || { echo "completion: $completions"; exit 1; }
# pkg-config prints plain paths under the prefix installed to.
cflags=$(pkg-config --cflags vitrail)
libs=$(pkg-config --libs vitrail)
[ "${cflags% }" = "-I$prefixe/include" ] && [ "${libs% }" = "-L$prefixe/lib -lvitrail" ] ||
    { echo "pkg-config paths: $(pkg-config --cflags --libs vitrail)"; exit 1; }

cmake -S "$source/examples/installe" -B "$travail/hote" -G Ninja \
    -DCMAKE_PREFIX_PATH="$travail/prefixe" >/dev/null
cmake --build "$travail/hote" >/dev/null
export LD_LIBRARY_PATH=$travail/prefixe/lib
# No display: the library works off screen and answers its own questions on standard error.
unset DISPLAY QT_QPA_PLATFORM
"$travail/hote/hote" "$travail/cmake.htm" >/dev/null 2>&1
grep -q 'Lundi&nbsp<b>r' "$travail/cmake.htm" || { echo "find_package host wrote no page"; exit 1; }

# shellcheck disable=SC2046
c++ -std=c++20 "$source/examples/installe/hote.cpp" -o "$travail/hote-pc" $(pkg-config --cflags --libs vitrail)
"$travail/hote-pc" "$travail/pc.htm" >/dev/null 2>&1
grep -q 'Mardi&nbsprevue' "$travail/pc.htm" || { echo "pkg-config host wrote no page"; exit 1; }
echo "installed package: find_package and pkg-config hosts build and run"
