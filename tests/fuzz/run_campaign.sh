#!/usr/bin/env bash
# Builds every fuzz target with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each in turn, one job at a time.
#
#   tests/fuzz/run_campaign.sh LENGTH [TARGET...]
#
# LENGTH is a run count per target ("1000000") or a time per target ("600s").
# Each target starts from its seeds in tests/fuzz/corpus/<target> and grows a
# working corpus in BUILD/fuzz-corpus/<target>; the seeds stay as they are.
# After a clean run the working corpus is minimised (libFuzzer's merge into
# a fresh directory), so it keeps only inputs that add coverage and the next
# campaign starts small. Findings go to BUILD/fuzz-findings/<target>.
# Prints, per target, the
# executions, the rate, the coverage (cov: edges, ft: features) and the
# number of findings; exits non-zero when any target found something.
# BUILD is build-fuzz beside the sources unless QUARVEL_FUZZ_BUILD says.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=${QUARVEL_FUZZ_BUILD:-$source_dir/build-fuzz}
length=${1:?usage: run_campaign.sh RUNS|SECONDSs [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_reader fuzz_render fuzz_grid fuzz_image fuzz_binary_files fuzz_segy)

case $length in
  *s) limit=(-max_total_time="${length%s}") ;;
  *) limit=(-runs="$length") ;;
esac

# Seconds an input may take. A paint that spends the renderer's whole budget
# of inserted work (bounded, and 0.2 s in a release build) takes about 3 s
# with the sanitizers and coverage, more on a busy machine.
time_limit() {
  case $1 in
    fuzz_render) echo 60 ;;
    *) echo 10 ;;
  esac
}

# Inputs are kept small: the rate falls with libFuzzer's input size.
max_len() {
  case $1 in
    fuzz_grid) echo 1024 ;;
    fuzz_image | fuzz_segy) echo 8192 ;;
    *) echo 4096 ;;
  esac
}

# Replaces the corpus by its merge into a fresh directory; keeps the old one
# when the merge fails.
minimise() {
  local t=$1 corpus=$2 log=$3 fresh=$2.merging
  rm -rf "$fresh" && mkdir -p "$fresh"
  if "$build/$t" -merge=1 -max_len="$(max_len "$t")" -timeout="$(time_limit "$t")" -rss_limit_mb=2048 "$fresh" "$corpus" >"$log" 2>&1; then
    rm -rf "$corpus" && mv "$fresh" "$corpus"
    echo "  $t: corpus minimised to $(find "$corpus" -type f | wc -l) files, $(du -sk --apparent-size "$corpus" | cut -f1) KB" >&2
  else
    rm -rf "$fresh"
    echo "  $t: corpus not minimised; see $log" >&2
  fi
}

cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DQUARVEL_FUZZ=ON -DQUARVEL_SANITIZE=ON \
  -DQUARVEL_TESTS=OFF -DQUARVEL_BENCH=OFF ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} \
  >/dev/null || exit 2
ninja -C "$build" "${targets[@]}" >/dev/null || exit 2

export QT_QPA_PLATFORM=offscreen
failed=0
printf '%-18s %12s %10s %8s %8s %9s\n' target executions exec/s cov ft findings
for t in "${targets[@]}"; do
  corpus=$build/fuzz-corpus/$t
  findings=$build/fuzz-findings/$t
  log=$build/fuzz-$t.log
  mkdir -p "$corpus" "$findings"
  "$build/$t" "$corpus" "$here/corpus/$t" "${limit[@]}" -max_len="$(max_len "$t")" -timeout="$(time_limit "$t")" \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  found=$(find "$findings" -type f | wc -l)
  printf '%-18s %12s %10s %8s %8s %9s\n' "$t" "${runs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" "$found"
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed=1
    echo "  $t: exit $status; see $log and $findings" >&2
  else
    minimise "$t" "$corpus" "$build/fuzz-$t-merge.log"
  fi
done
exit $failed
