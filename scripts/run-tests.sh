#!/bin/sh
# Builds and runs every test: a Release build, a Debug build with
# AddressSanitizer and UndefinedBehaviorSanitizer, the threaded tests under
# ThreadSanitizer, then a short fuzzing run of each libFuzzer harness.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZELK_BUILD_TESTS=ON >/dev/null
cmake --build build-release -j"$jobs"
ctest --test-dir build-release --output-on-failure --no-tests=error -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZELK_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
# Both sanitizers exit 77, which no test expects: a finding can never pass for
# the exit 1 of a handled input error (UBSan does not read ASAN_OPTIONS).
ASAN_OPTIONS=detect_leaks=1:exitcode=77 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=77 \
  ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs"
# The threaded tests under ThreadSanitizer, built with clang and LLVM's OpenMP
# runtime (which ThreadSanitizer understands).
CC=clang CXX=clang++ cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELK_TSAN=ON >/dev/null
cmake --build build-tsan -j"$jobs" --target ZELK meshless_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1 \
  ctest --test-dir build-tsan --output-on-failure --no-tests=error -R 'ThreadCounts|ThreadedEvaluation'
./scripts/fuzz.sh 60
echo "All tests passed."
