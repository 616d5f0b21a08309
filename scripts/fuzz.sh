#!/bin/sh
# Builds the libFuzzer harnesses with clang and fuzzes each for a while
# (default 60 seconds each; give another number as the first argument, and
# optionally the harnesses to run, e.g. "fuzz.sh 1800 zelk_input").
# Runs in fork mode so that a slow but legal input (a long simulation) is
# skipped instead of ending the run; undefined behaviour aborts like a crash.
# A crash fails the run and leaves its input under fuzz-out/ to become a
# regression test. FUZZ_KEEP_GOING=1 keeps fuzzing after a crash, to collect
# every finding of a long campaign.
set -e
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
harnesses=${*:-zelk_input class_header}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DZELK_FUZZ=ON -DZELK_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target zelk_input_fuzzer class_header_fuzzer -j"$(nproc)"
mkdir -p fuzz-out
keep_going=""
[ "${FUZZ_KEEP_GOING:-0}" = 1 ] && keep_going="-ignore_crashes=1 -ignore_ooms=1"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for name in $harnesses; do
  corpus="fuzz-out/corpus-$name"
  mkdir -p "$corpus"
  # Seeds: the committed corpus and every regression input found so far.
  case $name in
    zelk_input)
      cp fuzz/corpus/zelk/* fuzz/regressions/zelk/* "$corpus"/
      dict="-dict=fuzz/zelk.dict" ;;
    class_header)
      cp fuzz/corpus/class/* "$corpus"/
      for header in fuzz/regressions/class/*; do
        # The harness reads its options from the first byte: none.
        { printf '\000'; cat "$header"; } > "$corpus/regression-$(basename "$header")"
      done
      dict="" ;;
  esac
  echo "Fuzzing $name for $seconds s"
  # shellcheck disable=SC2086
  # In fork mode the fuzzer exits with the code of the last job it ran, so a
  # slow input in that job ends it with the timeout code although timeouts
  # are ignored: that code is a note, not a finding.
  rc=0
  ./build-fuzz/fuzz/${name}_fuzzer "$corpus" $dict -max_total_time="$seconds" -timeout=30 \
      -timeout_exitcode=70 -fork=1 -ignore_timeouts=1 $keep_going -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$(pwd)/fuzz-out/$name-" \
      > "fuzz-out/$name.log" 2>&1 || rc=$?
  if [ $rc -eq 0 ] || [ $rc -eq 70 ]; then
    grep -E '^stat::number_of_executed_units|^Done|^INFO: fuzzed for' "fuzz-out/$name.log" || true
    if [ $rc -eq 70 ] || grep -q 'ERROR: libFuzzer: timeout' "fuzz-out/$name.log"; then
      echo "note: $name met a slow input (see fuzz-out/$name.log)"
    fi
  else
    echo "FUZZ FINDING in $name: see fuzz-out/$name.log and fuzz-out/$name-*"
    tail -40 "fuzz-out/$name.log"
    status=1
  fi
done
if [ "$keep_going" ] && ls fuzz-out/*-crash-* fuzz-out/*-oom-* >/dev/null 2>&1; then
  echo "FUZZ FINDINGS kept under fuzz-out/"
  status=1
fi
exit $status
