#!/usr/bin/env bash
# Times "quarvel net-render" on an N x N net file (default 2000) made by
# make_net: prints each run's wall time and the median of RUNS (default 5).
# Usage: bench/net_render_bench.sh [BUILD_DIR] [N] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
n=${2:-2000}
runs=${3:-5}
work=$(mktemp -d /tmp/quarvel_net_bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_net" "$work/a.net" "$n"
echo "net file: $n x $n nodes, $(stat -c %s "$work/a.net") bytes"
times=()
for ((k = 0; k < runs; k++)); do
  start=$(date +%s.%N)
  QT_QPA_PLATFORM=offscreen "$build/quarvel" net-render "$work/a.net" -o "$work/a.png" 2>/dev/null
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc)
  echo "run $((k + 1)): $t s"
  times+=("$t")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END { printf "median of %d: %.3f s\n", NR, v[int((NR + 1) / 2)] }'
