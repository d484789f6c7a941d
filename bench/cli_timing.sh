#!/usr/bin/env bash
# Whole-process timings of fenmark-cli (start-up included): the list, the
# statement of one year and every schedule of a register of 1,000 assets,
# and the statement of 60, against /bin/true. The registers repeat the
# sample register's assets. Uses hyperfine when it is installed
# (apt-get install hyperfine), else 50 timed runs of each command.
#
#   bash bench/cli_timing.sh build/release/fenmark-cli [more binaries to compare]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
    echo "usage: $0 FENMARK-CLI [FENMARK-CLI...]" >&2
    exit 2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for count in 1000 60; do
    while [ "$(wc -l <"$work/r$count.dat" 2>/dev/null || echo 0)" -lt "$count" ]; do
        cat examples/sample.dat >>"$work/r$count.dat"
    done
    head -n "$count" "$work/r$count.dat" >"$work/tmp" && mv "$work/tmp" "$work/r$count.dat"
done
fixed="--current-year 2026 --closing-month 12"
commands=("/bin/true")
for cli in "$@"; do
    commands+=("$cli statement $work/r1000.dat --year 2026 $fixed"
               "$cli statement $work/r1000.dat --year 2026 $fixed --format tsv"
               "$cli statement $work/r60.dat --year 2026 $fixed"
               "$cli list $work/r1000.dat"
               "$cli list $work/r1000.dat --format tsv"
               "$cli schedule $work/r1000.dat --all $fixed")
done
if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 5 --runs 50 --style basic --export-json "$work/times.json" \
        "${commands[@]}"
    if command -v python3 >/dev/null; then
        python3 -c '
import json, statistics, sys
for r in json.load(open(sys.argv[1]))["results"]:
    print("%8.2f ms median  %s" % (statistics.median(r["times"]) * 1000, r["command"]))
' "$work/times.json"
    fi
    exit 0
fi
for command in "${commands[@]}"; do
    times=()
    for _ in $(seq 50); do
        start=$(date +%s%N)
        $command >/dev/null
        times+=($(( ($(date +%s%N) - start) / 1000 )))
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 25p)
    printf '%8.2f ms median  %s\n' "$(echo "$median / 1000" | bc -l)" "$command"
done
