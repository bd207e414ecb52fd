#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, core only, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS seconds (default 60), starting
# from its seed corpus in fuzz/corpus/<target>/ (and its dictionary fuzz/<target>.dict).
#   scripts/fuzz.sh [SECONDS] [TARGET...]      e.g. scripts/fuzz.sh 600 results_table
# New inputs the fuzzer finds go to build-fuzz/corpus/<target>/, never into the repository.
# A crash, a hang (one input over 10 s), a leak or a sanitizer report fails the run: the
# script prints the report, leaves the input in build-fuzz/findings/<target>/ and exits 1.
# Reproduce with: build-fuzz/fuzz/quillon_<target>_fuzz <input>
# QUILLON_FUZZ_SEED fixes libFuzzer's seed, so that a run repeats the same inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build_dir=build-fuzz

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("${name%_fuzz}")
  done
fi

# Warnings are gated by the GCC build; clang only has to build the code for fuzzing.
mkdir -p "$build_dir"
if ! { cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
         -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUILLON_FUZZ=ON \
         -DQUILLON_GUI=OFF -DQUILLON_TESTS=OFF -DQUILLON_BENCH=OFF -DQUILLON_WERROR=OFF &&
       cmake --build "$build_dir" -j "$(nproc)"; } >"$build_dir/fuzz-build.log" 2>&1; then
  tail -40 "$build_dir/fuzz-build.log"
  echo "fuzz: the build failed (log: $build_dir/fuzz-build.log)"
  exit 1
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=0
for target in "${targets[@]}"; do
  binary="$build_dir/fuzz/quillon_${target}_fuzz"
  corpus="$build_dir/corpus/$target"
  findings="$build_dir/findings/$target"
  log="$build_dir/findings/$target.log"
  mkdir -p "$corpus" "$findings"
  dictionary=()
  [ ! -f "fuzz/$target.dict" ] || dictionary=(-dict="fuzz/$target.dict")
  seed=()
  [ -z "${QUILLON_FUZZ_SEED:-}" ] || seed=(-seed="$QUILLON_FUZZ_SEED")
  if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "${seed[@]}" \
      -artifact_prefix="$findings/" -print_final_stats=1 "${dictionary[@]}" \
      "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "fuzz $target: ${runs:-?} inputs in ${seconds} s, no findings"
  else
    echo "fuzz $target: FAILED (log: $log, input: $findings/)"
    grep -E -A40 "ERROR:|runtime error|property broken|==[0-9]+==" "$log" | head -60 || tail -40 "$log"
    failed=1
  fi
done
exit $failed
