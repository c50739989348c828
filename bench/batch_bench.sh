#!/bin/sh
# Times "ftpcfg batch" on generated devices CSVs of 10,000 and 100,000 rows
# against bench/batch_baseline, which writes as many 308-byte files into as
# many folders with plain open/write/close. Prints, per size, the best of
# three runs of each, their ratio and the peak resident memory of each.
#
#   cmake --preset bench -B build/bench && cmake --build build/bench
#   bench/batch_bench.sh [BUILD_DIR] [WORK_DIR]
#
# BUILD_DIR defaults to build/bench, WORK_DIR (where the folders go; use a
# real disk, not a RAM disk, for figures that mean something) to a new
# temporary folder. Needs GNU time (/usr/bin/time, Debian package "time").
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build/bench}
FTPCFG=$BUILD/src/cli/ftpcfg
BASELINE=$BUILD/bench/batch_baseline
[ -x "$FTPCFG" ] && [ -x "$BASELINE" ] || { echo "build the bench preset into $BUILD first" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing (apt-get install time)" >&2; exit 2; }
WORK=${2:-$(mktemp -d)}
mkdir -p "$WORK"
RUNS=3

# Runs a command with GNU time; prints "seconds peak_kib".
measure() {
    /usr/bin/time -f '%e %M' -o "$WORK/time.txt" "$@" >/dev/null
    cat "$WORK/time.txt"
}

# Smallest of the RUNS wall times, and the largest peak memory.
best_of() {
    best_s="" peak=0
    for run in $(seq "$RUNS"); do
        rm -rf "$WORK/out"
        sync
        read -r s kib <<EOT
$(measure "$@")
EOT
        if [ -z "$best_s" ] || awk "BEGIN { exit !($s < $best_s) }"; then best_s=$s; fi
        if [ "$kib" -gt "$peak" ]; then peak=$kib; fi
    done
    echo "$best_s $peak"
}

printf '%-8s %-11s %-9s %-6s %-13s %-11s %-8s %-9s\n' rows baseline_s ftpcfg_s ratio baseline_kib ftpcfg_kib check_s check_kib
for rows in 10000 100000; do
    csv=$WORK/devices-$rows.csv
    awk -v n="$rows" 'BEGIN {
        print "name,type,server,port,user,password,dir"
        for (i = 0; i < n; i++)
            printf "cam%06d,%s,192.168.%d.%d,%d,user%06d,\"pw,%06d\",/upload/%06d\n", i, (i % 2 ? "ftp" : "sftp"), int(i / 250) % 250, i % 250 + 1, 21 + i % 3, i, i, i
    }' >"$csv"
    set -- $(best_of "$BASELINE" "$rows" "$WORK/out")
    base_s=$1 base_kib=$2
    set -- $(best_of "$FTPCFG" batch "$csv" "$WORK/out")
    cfg_s=$1 cfg_kib=$2
    # The checking pass alone: a bad last row stops before anything is written.
    cp "$csv" "$WORK/bad.csv" && echo "bad/row,ftp,s,21,u,p," >>"$WORK/bad.csv"
    rm -rf "$WORK/out"
    /usr/bin/time -f '%e %M' -o "$WORK/time.txt" "$FTPCFG" batch "$WORK/bad.csv" "$WORK/out" >/dev/null 2>&1 || true
    # GNU time puts "Command exited with non-zero status 2" first.
    read -r check_s check_kib <<EOT
$(tail -n 1 "$WORK/time.txt")
EOT
    ratio=$(awk "BEGIN { printf \"%.2f\", $cfg_s / ($base_s > 0 ? $base_s : 0.01) }")
    printf '%-8s %-11s %-9s %-6s %-13s %-11s %-8s %-9s\n' "$rows" "$base_s" "$cfg_s" "$ratio" "$base_kib" "$cfg_kib" "$check_s" "$check_kib"
done
rm -rf "$WORK/out"
