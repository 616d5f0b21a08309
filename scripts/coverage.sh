#!/bin/sh
# Optional: line and branch coverage of the product code under the whole test
# suite, with gcovr. Builds into build-coverage (Debug, --coverage), runs ctest
# and prints the summary; the HTML report lands in build-coverage/coverage/.
#   scripts/coverage.sh [ctest arguments...]
set -e
cd "$(dirname "$0")/.."
command -v gcovr >/dev/null || { echo "coverage.sh needs gcovr (apt-get install gcovr)"; exit 2; }
jobs=$(nproc)
cmake -S . -B build-coverage -DCMAKE_BUILD_TYPE=Debug -DZELK_BUILD_TESTS=ON \
  -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build build-coverage -j"$jobs"
find build-coverage -name '*.gcda' -delete
ctest --test-dir build-coverage -j"$jobs" "$@" || echo "(some tests failed; coverage is still reported)"
mkdir -p build-coverage/coverage
# Product code only: the tests, fuzz harnesses and benchmarks are not measured.
gcovr --root . --filter 'solver/' --filter 'classdoc/' \
  --exclude-unreachable-branches --exclude-throw-branches \
  --html-details build-coverage/coverage/index.html --print-summary --txt build-coverage/coverage/summary.txt \
  build-coverage
cat build-coverage/coverage/summary.txt | tail -n 3
