#!/usr/bin/env bash
# SEG-Y sample-statistics benchmark: generates a 2D line of 10^6 traces of
# 200 IBM-float samples (1.04 GB, bench/make_segy_line.py) and times
# "quarvel segy --stats --stride 10" against python3-segyio reading the
# same traces with numpy computing the same statistics. Both read from the
# page cache; the two run in turn RUNS times and the medians count.
#
# Needs /usr/bin/python3 with python3-segyio and python3-numpy.
# Usage: bench/segy_stats_bench.sh [BUILD_DIR] [TRACES] [RUNS] [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
traces=${2:-1000000}
runs=${3:-5}
dir=${4:-${TMPDIR:-/tmp}}
quarvel=$build/quarvel
py=/usr/bin/python3
[ -x "$quarvel" ] || { echo "no $quarvel: build first" >&2; exit 1; }
"$py" -c 'import segyio, numpy' || { echo "python3-segyio and python3-numpy are needed" >&2; exit 1; }
file=$(mktemp "$dir/quarvel_stats_bench.XXXXXX.sgy")
trap 'rm -f "$file"' EXIT

"$py" bench/make_segy_line.py "$file" "$traces" 200
cat "$file" > /dev/null  # into the page cache

numpy_stats='
import sys, numpy as np, segyio
with segyio.open(sys.argv[1], ignore_geometry=True) as f:
    a = segyio.tools.collect(f.trace[::10]).astype(np.float64)
finite = a[np.isfinite(a)]
print(finite.min(), finite.max(), np.sqrt(np.mean(finite ** 2)), np.mean(a == 0), np.mean(~np.isfinite(a)), a.shape[0])
'
# Wall and CPU (user + system) seconds of a command: on a busy machine the
# CPU time is the steadier figure.
seconds() { /usr/bin/time -f '%e %U %S' "$@" 2>&1 >/dev/null | tail -1 | awk '{print $1, $2 + $3}'; }
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
q=() s=()
for _ in $(seq "$runs"); do
  q+=("$(seconds "$quarvel" segy --stats --stride 10 "$file")")
  s+=("$(seconds "$py" -c "$numpy_stats" "$file")")
done
qm=$(printf '%s\n' "${q[@]}" | cut -d' ' -f1 | median)
sm=$(printf '%s\n' "${s[@]}" | cut -d' ' -f1 | median)
qc=$(printf '%s\n' "${q[@]}" | cut -d' ' -f2 | median)
sc=$(printf '%s\n' "${s[@]}" | cut -d' ' -f2 | median)
echo "file: $(stat -c %s "$file") bytes, $traces traces"
"$quarvel" segy --stats --stride 10 "$file" | tail -3
"$py" -c "$numpy_stats" "$file"
printf 'quarvel segy --stats --stride 10: median %.3f s wall, %.3f s CPU of %d runs\n' "$qm" "$qc" "$runs"
printf 'python3-segyio + numpy:           median %.3f s wall, %.3f s CPU of %d runs\n' "$sm" "$sc" "$runs"
echo "ratio (segyio / quarvel): $(echo "scale=2; $sm / $qm" | bc -l) wall, $(echo "scale=2; $sc / $qc" | bc -l) CPU"
