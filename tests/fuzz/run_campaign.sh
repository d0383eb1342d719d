#!/usr/bin/env bash
# Builds every fuzz target with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each in turn, one job at a time.
#
#   tests/fuzz/run_campaign.sh RUNS [TARGET...]    # executions per target, in all
#   tests/fuzz/run_campaign.sh 600s [TARGET...]    # a time per target, this time
#
# A campaign of RUNS executions outlives the process that runs it: every
# libFuzzer run appends a row to the ledger BUILD/fuzz-ledger.tsv (when it
# ended, the commit fuzzed, the target, executions, exit status, coverage,
# rate, findings), and a target counts as done when its rows add up to RUNS.
# Runs last at most 15 minutes each, and an interrupted campaign (kill -TERM
# on this script, or Ctrl+C in its terminal) stops libFuzzer so that it
# prints its counts, which are kept too: starting the same command again carries on
# where it stopped, so a long campaign can be spread over days.
#
# Each target starts from its seeds in tests/fuzz/corpus/<target> and grows a
# working corpus in BUILD/fuzz-corpus/<target>; the seeds stay as they are.
# Before and after fuzzing a target, its working corpus is minimised
# (libFuzzer's merge into a fresh directory). Findings go to
# BUILD/fuzz-findings/<target>; a target with findings is not run further
# until they are moved away. BUILD/fuzz-status.txt is rewritten every
# minute with each target's state, executions so far, rate, coverage and
# findings. Exits non-zero when any target found something.
# BUILD is build-fuzz beside the sources unless QUARVEL_FUZZ_BUILD says.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=${QUARVEL_FUZZ_BUILD:-$source_dir/build-fuzz}
length=${1:?usage: run_campaign.sh RUNS|SECONDSs [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_reader fuzz_render fuzz_grid fuzz_image fuzz_binary_files fuzz_segy)
ledger=$build/fuzz-ledger.tsv
chunk_seconds=900

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
commit=$(git -C "$source_dir" rev-parse --short HEAD 2>/dev/null || echo unknown)
git -C "$source_dir" diff --quiet HEAD 2>/dev/null || commit=$commit+changes
[ -f "$ledger" ] || printf 'ended_utc\tcommit\ttarget\texecutions\texit\tcov\tft\texec_per_s\tfindings\n' >"$ledger"

# Executions, last rate, cov and ft in a libFuzzer log: its final count when
# it printed one, else its last progress line.
progress() {
  awk '/^stat::number_of_executed_units:/ { final = $2 }
       /^#[0-9]+/ { current = substr($1, 2)
         for (i = 1; i < NF; ++i) {
           if ($i == "cov:") cov = $(i + 1)
           if ($i == "ft:") ft = $(i + 1)
           if ($i == "exec/s:") rate = $(i + 1)
         } }
       END { printf "%d %s %s %s\n", final != "" ? final : current, rate == "" ? "?" : rate, cov == "" ? "?" : cov, ft == "" ? "?" : ft }' "$1" 2>/dev/null
}

# Executions the ledger holds for a target, over every commit.
recorded() { awk -F'\t' -v t="$1" '$3 == t { n += $4 } END { print n + 0 }' "$ledger"; }
findings_of() { find "$build/fuzz-findings/$1" -type f 2>/dev/null | wc -l; }

row() { printf '%-18s %-11s %12s %10s %8s %8s %9s\n' "$@"; }

status_file=$build/fuzz-status.txt
write_status() {
  {
    echo "campaign pid $$ on $commit, started $started, $length per target; updated $(date -u '+%F %T') UTC"
    row target state executions exec/s cov ft findings
    for t in "${targets[@]}"; do
      local state=waiting runs rate=- cov=- ft=- now=0
      [ -f "$build/fuzz-$t.state" ] && state=$(cat "$build/fuzz-$t.state")
      if [ "$state" = running ] && [ -f "$build/fuzz-$t.chunk.log" ]; then
        read -r now rate cov ft < <(progress "$build/fuzz-$t.chunk.log")
      fi
      runs=$(($(recorded "$t") + now))
      row "$t" "$state" "$runs" "$rate" "$cov" "$ft" "$(findings_of "$t")"
    done
  } >"$status_file.new" && mv "$status_file.new" "$status_file"
}

# One libFuzzer run, in the background so that a signal to this script can
# stop it; its counts go to the ledger however it ended.
stopping=0
child=0
fuzz_once() {
  local t=$1 limit=$2 corpus=$3 findings=$4 chunk_log=$build/fuzz-$1.chunk.log status
  "$build/$t" "$corpus" "$here/corpus/$t" $limit -max_len="$(max_len "$t")" -timeout="$(time_limit "$t")" \
    $(fuzz_options "$t") -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >"$chunk_log" 2>&1 &
  child=$!
  wait "$child"
  status=$?
  # A trapped signal ends the first wait early; the second waits for
  # libFuzzer to print its counts and exit.
  while kill -0 "$child" 2>/dev/null; do wait "$child"; status=$?; done
  child=0
  cat "$chunk_log" >>"$build/fuzz-$t.log"
  local runs rate cov ft
  read -r runs rate cov ft < <(progress "$chunk_log")
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u '+%F %T')" "$commit" "$t" "$runs" "$status" \
    "$cov" "$ft" "$rate" "$(findings_of "$t")" >>"$ledger"
  rm -f "$chunk_log"
  return "$status"
}
on_signal() {
  stopping=1
  [ "$child" -ne 0 ] && kill -INT "$child" 2>/dev/null
}
trap on_signal INT TERM

export QT_QPA_PLATFORM=offscreen
started=$(date -u '+%F %T UTC')
for t in "${targets[@]}"; do rm -f "$build/fuzz-$t.state"; done
( while kill -0 $$ 2>/dev/null; do write_status; sleep 60; done ) &
reporter=$!
failed=0
row target state executions exec/s cov ft findings
for t in "${targets[@]}"; do
  [ "$stopping" -eq 1 ] && break
  corpus=$build/fuzz-corpus/$t
  findings=$build/fuzz-findings/$t
  mkdir -p "$corpus" "$findings"
  state=done
  if [ "$(findings_of "$t")" -ne 0 ]; then
    state=found
  elif [[ $length == *s ]] || [ "$(recorded "$t")" -lt "$length" ]; then
    echo running >"$build/fuzz-$t.state"
    [ -n "$(ls -A "$corpus")" ] && minimise "$t" "$corpus" "$build/fuzz-$t-merge.log"
    status=0
    if [[ $length == *s ]]; then
      fuzz_once "$t" "-max_total_time=${length%s}" "$corpus" "$findings" || status=$?
    else
      while [ "$stopping" -eq 0 ] && [ "$(recorded "$t")" -lt "$length" ]; do
        fuzz_once "$t" "-runs=$((length - $(recorded "$t"))) -max_total_time=$chunk_seconds" "$corpus" "$findings" || { status=$?; break; }
      done
    fi
    if [ "$(findings_of "$t")" -ne 0 ] || { [ "$status" -ne 0 ] && [ "$stopping" -eq 0 ]; }; then
      state=found
      echo "  $t: exit $status; see $build/fuzz-$t.log and $findings" >&2
    elif [ "$stopping" -eq 1 ]; then
      state=stopped
    else
      minimise "$t" "$corpus" "$build/fuzz-$t-merge.log"
    fi
  fi
  [ "$state" = found ] && failed=1
  echo "$state" >"$build/fuzz-$t.state"
  row "$t" "$state" "$(recorded "$t")" - - - "$(findings_of "$t")"
  write_status
done
kill "$reporter" 2>/dev/null
write_status
exit $failed
