#!/usr/bin/env bash
# SEG-Y header-scan benchmark: generates a SEG-Y file of 10^6 traces of
# 1040 bytes (1.04 GB) and times, in one run, "quarvel segy --positions"
# (reads the 240-byte header of every trace and writes the positions as
# polylines) against python3-segyio reading the same four header fields
# (m, n, x, y) of every trace. Both read from the page cache; each is run
# three times and the best wall time counts.
#
# The comparison needs python3-segyio (Debian package; not a dependency of
# Quarvel): sudo apt-get install python3-segyio
#
# Usage: bench/segy_bench.sh [BUILD_DIR] [TRACES] [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
traces=${2:-1000000}
dir=${3:-${TMPDIR:-/tmp}}
quarvel=$build/quarvel
[ -x "$quarvel" ] || { echo "no $quarvel: build first (scripts/build.sh $build)" >&2; exit 1; }
# The Debian package installs for the system's python3, which may not be
# the first python3 on the PATH.
py=
for candidate in ${PYTHON:-} python3 /usr/bin/python3; do
  if "$candidate" -c 'import segyio' 2>/dev/null; then py=$candidate; break; fi
done
[ -n "$py" ] || { echo "python3-segyio is missing: sudo apt-get install python3-segyio" >&2; exit 1; }
file=$(mktemp "$dir/quarvel_segy_bench.XXXXXX.sgy")
out=$(mktemp "$dir/quarvel_segy_bench.XXXXXX.xy")
trap 'rm -f "$file" "$out"' EXIT

python3 bench/make_segy.py "$file" "$traces"
bytes=$(stat -c %s "$file")
cat "$file" > /dev/null  # into the page cache

best() {  # best wall time in seconds of three runs of a command
  local best=999999 t
  for _ in 1 2 3; do
    local start=$(date +%s.%N)
    "$@" > /dev/null
    t=$(echo "$(date +%s.%N) - $start" | bc -l)
    best=$(echo "if ($t < $best) $t else $best" | bc -l)
  done
  printf '%.3f' "$best"
}

quarvel_s=$(best "$quarvel" segy --positions "$out" "$file")
segyio_s=$(best "$py" -c '
import sys, segyio
from segyio import TraceField as F
with segyio.open(sys.argv[1], ignore_geometry=True) as f:
    m = f.attributes(F.CDP)[:]
    n = f.attributes(F.FieldRecord)[:]
    x = f.attributes(F.SourceX)[:]
    y = f.attributes(F.SourceY)[:]
    print(len(m), len(n), len(x), len(y))
' "$file")
lines=$(grep -c , "$out")
echo "file: $bytes bytes, $traces traces; positions written: $lines"
echo "quarvel segy --positions: ${quarvel_s} s"
echo "python3-segyio, 4 fields: ${segyio_s} s"
echo "ratio (segyio / quarvel): $(echo "scale=2; $segyio_s / $quarvel_s" | bc -l)"
