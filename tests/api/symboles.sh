#!/bin/sh
# Every symbol libvitrail exports belongs to the C interface or to the public C++ API of
# include/vitrail: the internals stay inside the library.
set -eu
bibliotheque=$1
liste=$(nm -D --defined-only "$bibliotheque" | c++filt | cut -d' ' -f3-)

publics='^vitrail_[a-z_0-9]+$'
publics="$publics|^vitrail::(TracPlanDLL|Erreur|ErreurThread|VisiteurChamps)::"
publics="$publics|^vitrail::(visiteChamps|version|ecritFichier|nettoieSurSignal)\\("
publics="$publics|^(typeinfo|typeinfo name|vtable) for vitrail::(Erreur|ErreurThread|VisiteurChamps)\$"

# The list must hold the API itself, or an empty or unreadable one would pass.
for attendu in 'vitrail_show' 'vitrail::TracPlanDLL::Show(vitrail::ArgumentsShow&)' \
    'typeinfo for vitrail::Erreur'; do
    if ! printf '%s\n' "$liste" | grep -q -x -F "$attendu"; then
        echo "not exported: $attendu"
        exit 1
    fi
done
autres=$(printf '%s\n' "$liste" | grep -v -E "$publics" || true)
if [ -n "$autres" ]; then
    echo "exported but not public:"
    printf '%s\n' "$autres"
    exit 1
fi
echo "$(printf '%s\n' "$liste" | wc -l) symbols, all public"
