#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer + UndefinedBehaviorSanitizer) and the
# random-user test (the project's sanitizer build), then runs every registered fuzz target for
# SECONDS each and the random user for ACTIONS actions with the seed SEED and with a fresh seed.
#   scripts/fuzz.sh [--targets-only] [SECONDS] [ACTIONS] [SEED]
# Default: 1800 s per target, 100000 actions. --targets-only leaves the random user out (the
# test run has its own).
# Each target starts from its seed corpus in fuzz/corpus/<target>/ (copied, the tree stays
# clean) with its dictionary fuzz/<target>.dict. A finding stops the run with its input in
# build/fuzz/findings/<target>/; add it to the seed corpus once the fault is mended.
# FUZZ_SECONDS_<target>=N gives one target its own time.
set -euo pipefail
cd "$(dirname "$0")/.."

targets_only=0
if [ "${1:-}" = --targets-only ]; then
  targets_only=1
  shift
fi
seconds=${1:-1800}
actions=${2:-100000}
seed=${3:-20261209}
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== fuzz targets (clang, libFuzzer)"
CXX=clang++ cmake -S fuzz -B build/fuzz >/dev/null
cmake --build build/fuzz -j"$jobs"

summary=build/fuzz/summary.txt
: >"$summary"
mapfile -t targets < <(grep -v '^$' build/fuzz/fuzz_targets.txt)
for target in "${targets[@]}"; do
  work=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  mkdir -p "$work" "$findings"
  [ -d "fuzz/corpus/$target" ] && cp -n "fuzz/corpus/$target"/* "$work"/ 2>/dev/null || true
  override=FUZZ_SECONDS_$target
  time_for=${!override:-$seconds}
  options=(-max_total_time="$time_for" -print_final_stats=1 -artifact_prefix="$findings/")
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  log=build/fuzz/$target.log
  echo "-- $target: ${time_for} s"
  build/fuzz/"$target" "${options[@]}" "$work" >"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    echo "FINDING in $target, see $findings" >&2
    exit 1
  }
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "$target: ${runs:-0} executions in ${time_for} s, 0 findings" | tee -a "$summary"
done

if [ "$targets_only" -eq 1 ]; then
  exit 0
fi

echo "== random user (sanitizer build)"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DEXPANS_SANITIZE=ON >/dev/null
cmake --build build/asan -j"$jobs" --target monkey_test
fresh=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
for s in "$seed" "$fresh"; do
  echo "-- seed $s, $actions actions"
  build/asan/tests/monkey_test --seed="$s" --actions="$actions" | tee -a "$summary" | tail -n 3
done
echo "== summary"
cat "$summary"
