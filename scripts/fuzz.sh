#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# (in build-fuzz/), replays every input that ever failed (fuzz/regressions/), then fuzzes each
# target for SECONDS from its seeds (fuzz/corpus/). Any crash, leak, hang over 10 s, memory
# over 2 GB or sanitizer report fails. New corpus entries and failing inputs stay in
# build-fuzz/fuzz-travail/; a failing input, once mended, belongs in fuzz/regressions/TARGET/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]     (default: 60 s, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
secondes=${1:-60}
shift || true
cibles=("$@")
[ ${#cibles[@]} -gt 0 ] || cibles=(planning mise_en_page html c_interface)
build="build-fuzz"
travail=$build/fuzz-travail

scripts/install-deps.sh --test-tools
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DVITRAIL_FUZZ=ON -DVITRAIL_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target fuzz

# System libraries (fontconfig, D-Bus) keep some allocations for the process's life.
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1
mkdir -p "$travail"
echec=0
for cible in "${cibles[@]}"; do
    programme=$build/fuzz/fuzz_$cible
    options=(-timeout=10 -rss_limit_mb=2048)
    case $cible in
        planning) options+=(-max_len=1048576 -dict=fuzz/planning.dict) ;;
        c_interface) options+=(-max_len=4096 -dict=fuzz/balises.dict -close_fd_mask=2) ;;
        *) options+=(-max_len=4096 -dict=fuzz/balises.dict) ;;
    esac
    journal=$travail/$cible.log

    mapfile -t anciens < <(find "fuzz/regressions/$cible" -type f ! -name '.*' | sort)
    if [ ${#anciens[@]} -gt 0 ]; then
        if ! "$programme" "${options[@]}" "${anciens[@]}" >"$journal" 2>&1; then
            tail -n 60 "$journal"
            echo "FAILED: $cible replaying fuzz/regressions/$cible (log: $journal)"
            echec=1
            continue
        fi
    fi

    mkdir -p "$travail/$cible"
    if "$programme" "${options[@]}" -max_total_time="$secondes" -print_final_stats=1 \
        -artifact_prefix="$travail/$cible-" "$travail/$cible" "fuzz/corpus/$cible" \
        >"$journal" 2>&1; then
        resultat=ok
    else
        tail -n 60 "$journal"
        resultat="FAILED (log: $journal; input: $travail/$cible-*)"
        echec=1
    fi
    # "#123 DONE cov: 1907 ft: 6865 ...": executions, edges and features reached.
    bilan=$(grep -E '^#[0-9]+' "$journal" | tail -n 1 | awk '{print $1, $3, $4, $5, $6}')
    echo "fuzz_$cible: ${#anciens[@]} regression input(s) replayed; ${secondes}s: $bilan: $resultat"
done
exit $echec
