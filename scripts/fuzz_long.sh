#!/usr/bin/env bash
# Runs one libFuzzer target of the engine for a given number of executions
# and prints its final figures.
#
#   scripts/fuzz_long.sh TARGET RUNS     TARGET: request, template_reader, config, grammar
#
# The corpus lives in build/fuzz/corpus-long/TARGET and grows from run to
# run (start it again to go on where the last run stopped); the log goes to
# build/fuzz/corpus-long/TARGET.log, an input that fails to
# build/fuzz/artifacts/TARGET-*. Environment: MAX_TIME (seconds, default no
# limit), NICE (default 10), JOBS (parallel build jobs, default 2),
# CORPUS_ROOT (instead of build/fuzz/corpus-long).
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 TARGET RUNS" >&2
    exit 2
fi
target=$1
runs=$2
root=$(cd "$(dirname "$0")/.." && pwd)

case $target in
    request) max_len=4096 seeds=("$root/fuzz/seeds/request") ;;
    template_reader)
        max_len=16384
        seeds=("$root/fuzz/seeds/template_reader" "$root/data/engine/templates" "$root/data/engine/queries")
        ;;
    # Longer than the configuration reader's line buffer (10,240 bytes), so
    # lines that arrive in pieces are reached.
    config) max_len=16384 seeds=("$root/fuzz/seeds/config") ;;
    # The harness refuses grammars over 4,096 bytes.
    grammar) max_len=4096 seeds=("$root/fuzz/seeds/grammar") ;;
    *)
        echo "$0: unknown target $target (request, template_reader, config, grammar)" >&2
        exit 2
        ;;
esac
if ! [[ $runs =~ ^[0-9]+$ ]] || [[ $runs -eq 0 ]]; then
    echo "$0: RUNS must be a positive number of executions" >&2
    exit 2
fi

build=$root/build/fuzz
if [[ ! -f $build/build.ninja ]]; then
    launcher=()
    if command -v ccache > /dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    fi
    (cd "$root" && cmake --preset fuzz "${launcher[@]}" > /dev/null)
fi
cmake --build "$build" --target "${target}_fuzz" -j"${JOBS:-2}" > /dev/null

corpus_root=$(realpath -m "${CORPUS_ROOT:-$build/corpus-long}")
corpus=$corpus_root/$target
log=$corpus_root/$target.log
mkdir -p "$corpus" "$build/artifacts"
existing=()
for dir in "${seeds[@]}"; do
    [[ -d $dir ]] && existing+=("$dir")
done

time_limit=()
[[ -n ${MAX_TIME:-} ]] && time_limit=(-max_total_time="$MAX_TIME")

status=0
# Absolute paths throughout: the request target changes its folder at start.
nice -n "${NICE:-10}" "$build/fuzz/${target}_fuzz" -runs="$runs" "${time_limit[@]}" -max_len="$max_len" \
    -timeout=10 -rss_limit_mb=2048 -reload=0 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" "$corpus" "${existing[@]}" > "$log" 2>&1 || status=$?

# The last status line (executions, coverage, features, corpus) and the totals.
grep -E '^#[0-9]+' "$log" | tail -n 1 || true
grep -E '^(Done|stat::)' "$log" || true
echo "corpus: $(find "$corpus" -type f | wc -l) files, $(du -sh "$corpus" | cut -f1); log: $log"
if [[ $status -ne 0 ]]; then
    echo "$0: $target stopped with status $status (see $log and $build/artifacts/)" >&2
fi
exit "$status"
