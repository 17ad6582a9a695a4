#!/bin/sh
# The same portfolio history in this program, ledger and hledger: each shows the holdings with
# their cost, timed as a whole process, side by side, with the ratios.
#
#   bench/peers.sh [TRANSACTIONS...]     default: 10000 100000
#
# PEER_TIMEOUT (seconds, default 900) stops a peer that takes longer; its time then shows as
# "> PEER_TIMEOUT" and the ratio as a lower bound.
set -eu
cd "$(dirname "$0")/.."
sizes=${*:-10000 100000}
timeout=${PEER_TIMEOUT:-900}
sh scripts/install-deps.sh peers
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc 2>/dev/null || echo 2)" --target tallivan_bench tallivan-cli >/dev/null
bin=$PWD/build/default
work=$PWD/build/peers

# "SECONDS KB" of one run of the command, or "timeout KB".
measure() {
    out=$(mktemp)
    if /usr/bin/time -f "%e %M" -o "$out" timeout "$timeout" "$@" >/dev/null 2>&1; then
        cat "$out"
    else
        echo "timeout $(cut -d' ' -f2 "$out" | tail -n 1)"
    fi
    rm -f "$out"
}

# The best of three runs (one for a peer that timed out).
best() {
    best=""
    for run in 1 2 3; do
        m=$(measure "$@")
        case "$m" in timeout*) echo "$m"; return ;; esac
        if [ -z "$best" ] || [ "$(echo "$m $best" | awk '{print ($1 < $3)}')" = 1 ]; then
            best=$m
        fi
    done
    echo "$best"
}

printf '%-12s %-10s %12s %10s %12s %12s\n' transactions program seconds "peak MB" "x time" "x memory"
for n in $sizes; do
    dir=$work/$n
    rm -rf "$dir"
    "$bin/tallivan_bench" --make-history "$dir" "$n"
    ours=$(best "$bin/tallivan-cli" --data "$dir/tallivan" show zrdata/zr_00001.acc)
    ledger=$(best ledger -f "$dir/journal.ledger" bal --basis)
    hledger=$(best hledger -f "$dir/journal.ledger" bal --cost)
    for row in "tallivan $ours" "ledger $ledger" "hledger $hledger"; do
        echo "$n $row $ours"
    done | awk -v limit="$timeout" '{
        secs = $3; kb = $4; ourSecs = $5; ourKb = $6
        shown = secs == "timeout" ? "> " limit : secs
        ratio = secs == "timeout" ? "> " sprintf("%.0f", limit / ourSecs) : sprintf("%.1f", secs / ourSecs)
        printf "%-12s %-10s %12s %10.1f %12s %12.1f\n", $1, $2, shown, kb / 1024, ratio, kb / ourKb
    }'
done
