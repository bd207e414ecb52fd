#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, core only, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each, starting from its seed corpus in
# fuzz/corpus/<target>/ (and its dictionary fuzz/<target>.dict).
#   scripts/fuzz.sh [SECONDS] [TARGET...]      hunt: e.g. scripts/fuzz.sh 600 results_table
#   scripts/fuzz.sh --runs N [TARGET...]       smoke: N inputs per target, a fixed seed and
#                                              only the committed corpus, so a run repeats
# A hunt keeps what it finds in build-fuzz/corpus/<target>/, never in the repository.
# A crash, a hang (one input over 10 s), a leak or a sanitizer report fails the run: the
# script prints the report, leaves the input in build-fuzz/findings/<target>/ and exits 1.
# Reproduce with: build-fuzz/fuzz/quillon_<target>_fuzz <input>
# QUILLON_FUZZ_SEED fixes libFuzzer's seed for a hunt too. QUILLON_FUZZ_BUILD_DIR names a
# tree already configured with QUILLON_FUZZ=ON (the test command's sanitizer build) to use
# instead of build-fuzz. QUILLON_FUZZ_JOBS sets how many targets run at once (default: one
# per processor).
set -euo pipefail
cd "$(dirname "$0")/.."
limit=(-max_total_time="${1:-60}")
mode="hunt"
if [ "${1:-}" = "--runs" ]; then
  limit=(-runs="${2:?--runs takes a number}")
  mode="smoke"
  shift 2
else
  shift || true
fi
build_dir=${QUILLON_FUZZ_BUILD_DIR:-build-fuzz}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("${name%_fuzz}")
  done
fi

# Warnings are gated by the GCC build; clang only has to build the code for fuzzing.
mkdir -p "$build_dir"
configure=(cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
           -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUILLON_FUZZ=ON
           -DQUILLON_GUI=OFF -DQUILLON_TESTS=OFF -DQUILLON_BENCH=OFF -DQUILLON_WERROR=OFF)
[ -z "${QUILLON_FUZZ_BUILD_DIR:-}" ] || configure=(true)
if ! { "${configure[@]}" &&
       cmake --build "$build_dir" -j "$(nproc)"; } >"$build_dir/fuzz-build.log" 2>&1; then
  tail -40 "$build_dir/fuzz-build.log"
  echo "fuzz: the build failed (log: $build_dir/fuzz-build.log)"
  exit 1
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Runs one target; its verdict goes to findings/<target>.result, its output to the log.
fuzz_one() {
  local target=$1
  local binary="$build_dir/fuzz/quillon_${target}_fuzz"
  local findings="$build_dir/findings/$target"
  local log="$build_dir/findings/$target.log"
  local result="$build_dir/findings/$target.result"
  local corpus seed=() dictionary=()
  if [ "$mode" = smoke ]; then
    # A fresh scratch folder takes what the run adds, so every smoke starts alike.
    corpus="$build_dir/smoke-corpus/$target"
    rm -rf "$corpus"
    seed=(-seed="${QUILLON_FUZZ_SEED:-20261209}")
  else
    corpus="$build_dir/corpus/$target"
    [ -z "${QUILLON_FUZZ_SEED:-}" ] || seed=(-seed="$QUILLON_FUZZ_SEED")
  fi
  mkdir -p "$corpus" "$findings"
  [ ! -f "fuzz/$target.dict" ] || dictionary=(-dict="fuzz/$target.dict")
  if "$binary" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 "${seed[@]}" \
      -artifact_prefix="$findings/" -print_final_stats=1 "${dictionary[@]}" \
      "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "fuzz $target: ${runs:-?} inputs, no findings" >"$result"
  else
    {
      echo "fuzz $target: FAILED (log: $log, input: $findings/)"
      grep -E -A40 "ERROR:|runtime error|property broken|==[0-9]+==" "$log" | head -60 ||
        tail -40 "$log"
    } >"$result"
    return 1
  fi
}

# The targets run side by side, as many at once as there are processors (each is one
# process), and their verdicts are printed in order.
mkdir -p "$build_dir/findings"
parallel_runs=${QUILLON_FUZZ_JOBS:-$(nproc)}
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel_runs" ]; do wait -n || true; done
  rm -f "$build_dir/findings/$target.result"
  fuzz_one "$target" &
done
wait || true
failed=0
for target in "${targets[@]}"; do
  result="$build_dir/findings/$target.result"
  if [ -f "$result" ]; then cat "$result"; else echo "fuzz $target: FAILED (no verdict)"; fi
  grep -q "^fuzz $target: .*no findings\$" "$result" 2>/dev/null || failed=1
done
exit $failed
