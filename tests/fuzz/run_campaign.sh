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
#
# A run count goes in chunks of at most a million, so that a long campaign
# reports as it goes: BUILD/fuzz-status.txt is rewritten every minute with
# each target's state, executions so far, rate, coverage and findings, read
# from the target's log BUILD/fuzz-<target>.log (one libFuzzer run after
# another). Before fuzzing, the working corpus is minimised as after it.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=${QUARVEL_FUZZ_BUILD:-$source_dir/build-fuzz}
length=${1:?usage: run_campaign.sh RUNS|SECONDSs [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_reader fuzz_render fuzz_grid fuzz_image fuzz_binary_files fuzz_segy)

chunk=1000000
case $length in
  *s) chunks=(time) ;;
  *) chunks=() && for ((left = length; left > 0; left -= chunk)); do chunks+=($((left < chunk ? left : chunk))); done ;;
esac
limit() {
  case $1 in
    time) echo "-max_total_time=${length%s}" ;;
    *) echo "-runs=$1" ;;
  esac
}

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

# libFuzzer options of a target beyond the common ones. Every target: no
# -reload, since nothing but the one run writes its corpus, and rereading it
# each second re-ran every freshly merged file. The entropic power schedule
# spent 45% (reader) and 67% (renderer) of an execution in its per-feature
# bookkeeping; without it they ran 2.3 and 1.3 times as many inputs per CPU
# second on their grown corpora (the picture target gained nothing). The
# picture decoders print libpng's complaints straight to standard error:
# closed for the target (libFuzzer's own output and the sanitizers' reports
# still go out).
fuzz_options() {
  case $1 in
    fuzz_reader | fuzz_render) echo "-reload=0 -entropic=0" ;;
    fuzz_image) echo "-reload=0 -close_fd_mask=2" ;;
    *) echo "-reload=0" ;;
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

# Executions, last rate, cov and ft of a target's log: the finished runs'
# totals plus the running one's last line.
progress() {
  awk '/^stat::number_of_executed_units:/ { done += $2; current = 0; next }
       /^#[0-9]+/ { current = substr($1, 2)
         for (i = 1; i < NF; ++i) {
           if ($i == "cov:") cov = $(i + 1)
           if ($i == "ft:") ft = $(i + 1)
           if ($i == "exec/s:") rate = $(i + 1)
         } }
       END { printf "%d %s %s %s\n", done + current, rate == "" ? "?" : rate, cov == "" ? "?" : cov, ft == "" ? "?" : ft }' "$1" 2>/dev/null
}

row() { printf '%-18s %-9s %12s %10s %8s %8s %9s\n' "$@"; }

status_file=$build/fuzz-status.txt
write_status() {
  {
    echo "campaign pid $$, started $started, $length runs per target; updated $(date -u '+%F %T') UTC"
    row target state executions exec/s cov ft findings
    for t in "${targets[@]}"; do
      local state=waiting
      [ -f "$build/fuzz-$t.state" ] && state=$(cat "$build/fuzz-$t.state")
      if [ "$state" = waiting ]; then
        row "$t" "$state" - - - - -
      else
        read -r runs rate cov ft < <(progress "$build/fuzz-$t.log")
        row "$t" "$state" "$runs" "$rate" "$cov" "$ft" "$(find "$build/fuzz-findings/$t" -type f 2>/dev/null | wc -l)"
      fi
    done
  } >"$status_file.new" && mv "$status_file.new" "$status_file"
}

export QT_QPA_PLATFORM=offscreen
started=$(date -u '+%F %T UTC')
for t in "${targets[@]}"; do rm -f "$build/fuzz-$t.state"; done
( while kill -0 $$ 2>/dev/null; do write_status; sleep 60; done ) &
reporter=$!
failed=0
row target state executions exec/s cov ft findings
for t in "${targets[@]}"; do
  corpus=$build/fuzz-corpus/$t
  findings=$build/fuzz-findings/$t
  log=$build/fuzz-$t.log
  mkdir -p "$corpus" "$findings"
  : >"$log"
  echo running >"$build/fuzz-$t.state"
  [ -n "$(ls -A "$corpus")" ] && minimise "$t" "$corpus" "$build/fuzz-$t-merge.log"
  status=0
  for runs in "${chunks[@]}"; do
    "$build/$t" "$corpus" "$here/corpus/$t" "$(limit "$runs")" -max_len="$(max_len "$t")" -timeout="$(time_limit "$t")" \
      $(fuzz_options "$t") -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >>"$log" 2>&1
    status=$?
    [ "$status" -ne 0 ] && break
  done
  read -r runs rate cov ft < <(progress "$log")
  found=$(find "$findings" -type f | wc -l)
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed=1
    echo found >"$build/fuzz-$t.state"
    echo "  $t: exit $status; see $log and $findings" >&2
  else
    echo done >"$build/fuzz-$t.state"
    minimise "$t" "$corpus" "$build/fuzz-$t-merge.log"
  fi
  row "$t" "$(cat "$build/fuzz-$t.state")" "$runs" "$rate" "$cov" "$ft" "$found"
  write_status
done
kill "$reporter" 2>/dev/null
write_status
exit $failed
