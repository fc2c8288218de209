#!/usr/bin/env bash
# Builds the tree with gcov line coverage into its own folder, runs the whole suite and
# prints the suite's line coverage of src/ (gcovr). The figures are written to
# <folder>/coverage.txt, one line per source file and a total.
#
#   scripts/coverage.sh [FOLDER]          (default build-coverage)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-coverage}
jobs=${JOBS:-$(nproc)}

./scripts/install-deps.sh
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGCS_COVERAGE=ON \
    -DGCS_BUILD_BENCH=OFF > /dev/null
cmake --build "$dir" -j "$jobs"
find "$dir" -name '*.gcda' -delete

status=0
(cd "$dir" && ctest --output-on-failure -j "$jobs") || status=$?

# Only what src/ holds counts: the tests, tools and generated code are left out.
gcovr --root . --filter 'src/' --exclude '.*_autogen/.*' -j "$jobs" --print-summary \
    --txt "$dir/coverage.txt" "$dir"
[ "$status" -eq 0 ] || echo "coverage: the suite failed (exit $status); the figures count what ran"
exit "$status"
