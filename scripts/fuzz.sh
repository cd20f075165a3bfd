#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (build-fuzz/) and runs
# them from their committed seed corpus.
#
#   scripts/fuzz.sh TARGET [SECONDS]   run one target (default 600 s)
#   scripts/fuzz.sh --all [SECONDS]    run every target in turn (default 20 s)
#   scripts/fuzz.sh --list             name the targets
#
# TARGET is a folder of fuzz/ (receive_pane) or its executable name
# (receive_pane_fuzz). New inputs collect in build-fuzz/corpus/TARGET, the
# seeds stay as committed; a crash leaves its input in
# build-fuzz/artifacts/TARGET/ and fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

targets=()
for dir in fuzz/*/; do
    [ -f "$dir/CMakeLists.txt" ] && targets+=("$(basename "$dir")")
done

usage() { sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 2; }
[ $# -ge 1 ] || usage
case "$1" in
    --list) printf '%s\n' "${targets[@]}"; exit 0 ;;
    --all) selected=("${targets[@]}"); seconds=${2:-20} ;;
    -*) usage ;;
    *) selected=("${1%_fuzz}"); seconds=${2:-600} ;;
esac
for t in "${selected[@]}"; do
    [ -f "fuzz/$t/CMakeLists.txt" ] || { echo "no fuzz target '$t' (try --list)" >&2; exit 2; }
done

"$root/scripts/setup.sh" build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCOMTEST_FUZZ=ON \
    -DCOMTEST_TESTS=OFF -DCOMTEST_BENCH=OFF
cmake --build build-fuzz --target $(printf '%s_fuzz ' "${selected[@]}")

source "$root/scripts/sanitize-env.sh"
status=0
for t in "${selected[@]}"; do
    corpus="build-fuzz/corpus/$t"
    artifacts="build-fuzz/artifacts/$t/"
    mkdir -p "$corpus" "$artifacts"
    log="build-fuzz/$t.log"
    echo "== $t: $seconds s"
    if "build-fuzz/fuzz/$t/${t}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" "fuzz/$t/corpus" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "   ${runs:-?} executions, no fault"
    else
        status=1
        echo "   FAULT: see $log and $artifacts" >&2
        grep -E 'ERROR|SUMMARY|runtime error' "$log" | head -5 >&2 || true
    fi
done
exit $status
