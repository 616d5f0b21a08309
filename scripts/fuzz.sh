#!/bin/sh
# Builds the libFuzzer harnesses with clang and fuzzes each for a while
# (default 60 seconds each; give another number as the first argument).
# A crash fails the run and leaves its input under fuzz-out/ to become a
# regression test. A timeout is reported but does not fail the run: a mutated
# input may ask for a legitimately long simulation.
set -e
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DZELK_FUZZ=ON -DZELK_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target zelk_input_fuzzer class_header_fuzzer -j"$(nproc)"
mkdir -p fuzz-out
status=0
for name in zelk_input class_header; do
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
  if ./build-fuzz/fuzz/${name}_fuzzer "$corpus" $dict -max_total_time="$seconds" -timeout=30 \
      -timeout_exitcode=0 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="$(pwd)/fuzz-out/$name-" > "fuzz-out/$name.log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done' "fuzz-out/$name.log" || true
    if grep -q 'ERROR: libFuzzer: timeout' "fuzz-out/$name.log"; then
      echo "note: $name met a slow input (see fuzz-out/$name.log)"
    fi
  else
    echo "FUZZ FINDING in $name: see fuzz-out/$name.log and fuzz-out/$name-*"
    tail -40 "fuzz-out/$name.log"
    status=1
  fi
done
exit $status
