#!/usr/bin/env bash
# SEG-Y header benchmark: generates a SEG-Y file of about 1 GB of 1000-sample
# traces (236,000 traces of 4240 bytes, lines of 1000 traces) in DIR and
# times, in one run (bench/segy_bench.py: paired alternating runs, medians),
# "quarvel segy --positions" against reading the whole file sequentially in
# 4 MiB blocks and python3-segyio reading the same four words, and
# "quarvel segy --geometry" against python3-segyio doing the same. The file
# is deleted afterwards.
#
# The comparison needs python3-segyio (Debian package; not a dependency of
# Quarvel): sudo apt-get install python3-segyio
#
# Usage: bench/segy_bench.sh [BUILD_DIR] [TRACES] [DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
traces=${2:-236000}
dir=${3:-${TMPDIR:-/tmp}}
rounds=${4:-5}
quarvel=$build/quarvel
[ -x "$quarvel" ] || { echo "no $quarvel: build first (scripts/build.sh $build)" >&2; exit 1; }
# The Debian package installs for the system's python3, which may not be
# the first python3 on the PATH.
/usr/bin/python3 -c 'import segyio' 2>/dev/null ||
  { echo "python3-segyio is missing: sudo apt-get install python3-segyio" >&2; exit 1; }
file=$(mktemp "$dir/quarvel_segy_bench.XXXXXX.sgy")
trap 'rm -f "$file"' EXIT

python3 bench/make_segy.py "$file" "$traces" 1000
cat "$file" > /dev/null  # into the page cache
/usr/bin/python3 bench/segy_bench.py "$quarvel" "$file" "$rounds"
