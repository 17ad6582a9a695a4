#!/bin/sh
# Builds the fuzz targets, writes their seed corpora and runs each target.
#
#   fuzz/run.sh --runs N      each target for N inputs from a fixed seed (the CI's short run)
#   fuzz/run.sh --seconds S   each target for S seconds (a long run)
#
# Corpora grow in build/fuzz/corpus/TARGET; a crashing input is left in build/fuzz/crashes and
# the script fails.
set -eu
cd "$(dirname "$0")/.."
mode=${1:---runs}
amount=${2:-2000}
case "$mode" in
    # A fixed seed: the CI's run gives the same inputs each time, so it passes or fails for a
    # change of the code, never by chance. Long runs explore with a new seed each time.
    --runs) limit="-runs=$amount -seed=1" ;;
    --seconds) limit="-max_total_time=$amount" ;;
    *) echo "usage: fuzz/run.sh --runs N | --seconds S" >&2; exit 2 ;;
esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)"
build=build/fuzz
rm -rf "$build/seeds"
"$build/make_seeds" "$build/seeds"
mkdir -p "$build/crashes"

for program in "$build"/fuzz_*; do
    target=$(basename "$program" | sed 's/^fuzz_//')
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    echo "== $target"
    # shellcheck disable=SC2086 # $limit is one or two options
    "$program" $limit -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$target-" "$corpus" "$build/seeds/$target" 2>&1 |
        grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)|cov:" |
        tail -n 4
    # The pipe hides the fuzzer's status: a crash leaves its input behind.
    if ls "$build/crashes/$target-"* >/dev/null 2>&1; then
        echo "fuzz: $target crashed; the input is in $build/crashes" >&2
        exit 1
    fi
done
