#!/usr/bin/env bash
# Builds the whole tree with AddressSanitizer and UndefinedBehaviorSanitizer into its own
# folder and runs the whole suite under them. Any sanitizer report fails the run, also one
# from a program a test starts (the simulator, telvo-cli): reports go to files in
# <folder>/sanitizer-reports, which must stay empty.
#
#   scripts/sanitize.sh [FOLDER]          (default build-sanitize)
#   CTEST_ARGS="-R tst_capture" scripts/sanitize.sh    a part of the suite
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-sanitize}
jobs=${JOBS:-$(nproc)}

./scripts/install-deps.sh
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGCS_SANITIZE=ON \
    -DGCS_BUILD_BENCH=OFF -DGCS_TEST_TIMEOUT_SCALE=3
cmake --build "$dir" -j "$jobs"

reports="$PWD/$dir/sanitizer-reports"
rm -rf "$reports" && mkdir -p "$reports"
# halt_on_error: the first report ends the program. Leaks are reported too, except those
# inside Qt's and the system's own libraries (scripts/lsan-suppressions.txt).
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"

status=0
(cd "$dir" && ctest --output-on-failure -j "$jobs" ${CTEST_ARGS:-}) || status=$?

if compgen -G "$reports/*" > /dev/null; then
    echo "sanitize: reports in $reports:"
    for f in "$reports"/*; do
        echo "==== $f"
        head -n 60 "$f"
    done
    status=1
fi
if [ "$status" -eq 0 ]; then
    echo "sanitize: the whole suite passed with no sanitizer report"
fi
exit "$status"
