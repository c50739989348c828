#!/bin/sh
# Builds the libFuzzer targets with clang (preset "fuzz") and runs each one for
# a bounded time from its seed corpus; exits non-zero if any target finds a
# crash, a leak, undefined behaviour or a broken check.
#   FUZZ_SECONDS    seconds per target (default 60)
#   FUZZ_BUILD_DIR  build tree (default build/fuzz)
#   FUZZ_TARGETS    targets to run (default: every target that was built)
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD_DIR:-build/fuzz}

mkdir -p "$build"
if ! { cmake --preset fuzz -B "$build" && cmake --build "$build" -j2; } >"$build/build.log" 2>&1; then
    cat "$build/build.log"
    echo "fuzz/run.sh: the fuzz targets did not build" >&2
    exit 1
fi

if [ -z "${FUZZ_TARGETS:-}" ]; then
    FUZZ_TARGETS=""
    for t in fuzz_load_config fuzz_cfg_show fuzz_batch_csv; do
        [ -x "$build/fuzz/$t" ] && FUZZ_TARGETS="$FUZZ_TARGETS $t"
    done
fi

status=0
total=0
summary=""
for t in $FUZZ_TARGETS; do
    # New inputs go to a corpus of the run's own; the seeds stay as committed.
    work="$build/fuzz-runs/$t"
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/findings"
    echo "fuzzing $t for ${seconds}s"
    rc=0
    "$build/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
        -max_len=4096 -artifact_prefix="$work/findings/" \
        "$work/corpus" "fuzz/corpus/$t" >"$work/log" 2>&1 || rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
    [ -n "$runs" ] || runs=0
    total=$((total + runs))
    if [ "$rc" -ne 0 ] || [ -n "$(ls "$work/findings")" ]; then
        status=1
        summary="$summary$(printf '%-18s %12s inputs  FOUND (exit %s): %s' "$t" "$runs" "$rc" "$work/findings")\n"
        tail -n 60 "$work/log"
    else
        summary="$summary$(printf '%-18s %12s inputs  nothing found' "$t" "$runs")\n"
    fi
done
printf "\nFuzzing summary (%ss per target)\n$summary" "$seconds"
printf '%-18s %12s inputs\n' "total" "$total"
exit $status
