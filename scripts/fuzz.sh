#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# (build-fuzz) and runs each of them for a number of executions, starting from its seeds
# (tests/data/fuzz/<name>/seeds) and the corpus it grew before. Inputs go up to 1 MiB and a
# run must stay under 512 MB of resident memory. A finding is saved to
# build-fuzz/fuzz-findings/<target>/ and fails the run; once mended, its input belongs in
# tests/data/fuzz/<name>/regressions, which the ordinary suite replays.
#
#   scripts/fuzz.sh [RUNS] [TARGET[=RUNS] ...]   (default 1000000 runs of every target)
#   PARALLEL=2 scripts/fuzz.sh 2000000           two targets at a time
#   FUZZ_ARGS="-entropic=0" scripts/fuzz.sh      more libFuzzer options
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000000}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_insdecoder fuzz_capturereader fuzz_ymodemreceive fuzz_profiles fuzz_calibration)
fi
dir=build-fuzz

./scripts/install-deps.sh
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DGCS_FUZZ=ON -DGCS_BUILD_BENCH=OFF > /dev/null
cmake --build "$dir" --target "${targets[@]%%=*}" -j "${JOBS:-$(nproc)}"

# A small quarantine and short allocation stacks: ASan's own bookkeeping would otherwise
# fill the memory limit and take most of the time of a run.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:quarantine_size_mb=32:malloc_context_size=8"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"

# The input files the targets write go to memory where there is such a folder.
if [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

run_one() {
    local target=${1%%=*} runs=$runs
    [[ $1 == *=* ]] && runs=${1#*=}
    local name=${target#fuzz_}
    local corpus="$dir/fuzz-corpus/$target" findings="$dir/fuzz-findings/$target"
    mkdir -p "$corpus" "$findings"
    local log="$dir/fuzz-logs/$target.log"
    mkdir -p "$dir/fuzz-logs"
    local start=$SECONDS status=0
    "$dir/bin/$target" -runs="$runs" -max_len=1048576 -rss_limit_mb=512 -timeout=30 \
        -print_final_stats=1 -artifact_prefix="$findings/" ${FUZZ_ARGS:-} "$corpus" \
        "tests/data/fuzz/$name/seeds" > "$log" 2>&1 || status=$?
    local execs rss
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -1)
    printf '%-20s %10s runs %6d s  peak %4s MB  findings %d  exit %d\n' "$target" \
        "${execs:-?}" $((SECONDS - start)) "${rss:-?}" \
        "$(find "$findings" -type f | wc -l)" "$status"
    return "$status"
}

status=0
parallel=${PARALLEL:-1}
pids=()
for target in "${targets[@]}"; do
    run_one "$target" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$parallel" ]; then
        wait "${pids[0]}" || status=1
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
exit "$status"
