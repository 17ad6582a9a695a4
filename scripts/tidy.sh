#!/bin/sh
# Runs clang-tidy with the checks of .clang-tidy over every source of src/ in the compile
# database of build/default (written by `make build`); fails on any finding.
set -eu
cd "$(dirname "$0")/.."
[ -f build/default/compile_commands.json ] || { echo "tidy: build first (make build)" >&2; exit 2; }
log=build/default/tidy.log
run-clang-tidy -p build/default -j "$(nproc 2>/dev/null || echo 2)" -quiet 'src/(core|cli|gui)/' >"$log" 2>&1 || true
# run-clang-tidy's own status does not tell findings from its progress lines: read the log,
# which names each file it checked.
if ! grep -q "^clang-tidy" "$log"; then
    cat "$log" >&2
    echo "tidy: clang-tidy checked no file" >&2
    exit 1
fi
if grep -E "(warning|error): " "$log" | grep -v "warnings generated" | sed 's/\x1b\[[0-9;]*m//g' | grep .; then
    echo "tidy: findings above (the whole log is $log)" >&2
    exit 1
fi
echo "tidy: no findings"
