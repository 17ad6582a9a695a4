#!/bin/sh
# What a whole command costs: N buys of one account, each recorded by a tallivan-cli process of
# its own, timed as whole processes (every buy rewrites the holding and syncs what it wrote).
#   sh bench/journal_cost.sh [CLI] [N]
set -e
cli=${1:-build/default/tallivan-cli}
n=${2:-1000}
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
"$cli" --data "$data" options --dirs zrdata >/dev/null 2>&1
"$cli" --data "$data" add-account zrdata --title bench >/dev/null
start=$(date +%s%N)
i=0
while [ "$i" -lt "$n" ]; do
    "$cli" --data "$data" buy zrdata/zr_00001.acc --code 600000 --shares 100 --price 10 >/dev/null
    i=$((i + 1))
done
end=$(date +%s%N)
ms=$(( (end - start) / 1000000 ))
echo "$n buys: $ms ms, $(( ms * 1000 / n )) us each"
"$cli" --data "$data" show zrdata/zr_00001.acc --list holdings | tail -1 | cut -f2-4
