#!/usr/bin/env bash
# Reading benchmark: generates a drawing of about 100 MB (polylines, labelled
# points and x, y, z lists) and prints, from one run, the reading throughput
# of "quarvel info" in MB/s and its wall time relative to "wc -l" on the
# same file (how far reading is from just scanning the bytes).
# Usage: bench/read_bench.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
megabytes=${2:-100}
quarvel=$build/quarvel
[ -x "$quarvel" ] || { echo "no $quarvel: build first (scripts/build.sh $build)" >&2; exit 1; }
file=$(mktemp /tmp/quarvel_read_bench.XXXXXX.qvd)
trap 'rm -f "$file"' EXIT

# Blocks of one polyline (120 vertices), 20 points and an x, y, z list of 300
# values, repeated until the size is reached. A fixed seed keeps runs alike.
awk -v target=$((megabytes * 1000000)) 'BEGIN {
  srand(42); size = 0; n = 0
  while (size < target) {
    s = sprintf("LAYER M contours\nPLINE.C%d\n", n)
    x = rand() * 10000; y = rand() * 8000
    for (i = 0; i < 120; i++) { x += rand() * 40 - 20; y += rand() * 40 - 20; s = s sprintf("%.2f,%.2f,%.1f\n", x, y, -1500 - rand() * 500) }
    s = s "code " n "\n\nLAYER M wells\n"
    for (i = 0; i < 20; i++) s = s sprintf("POINT %.1f,%.1f,%.1f W-%d\n", rand() * 10000, rand() * 8000, -1500 - rand() * 500, n * 20 + i)
    s = s "LAYER M f(x,y)\\xyz\nXYZ\n"
    for (i = 0; i < 300; i++) s = s sprintf("%.1f,%.1f,%.2f%s", rand() * 10000, rand() * 8000, -1500 - rand() * 500, (i % 6 == 5) ? "\n" : " ")
    s = s "\n\n"
    printf "%s", s; size += length(s); n++
  }
}' > "$file"
bytes=$(stat -c %s "$file")
# Warm the page cache so both programs read from memory.
cat "$file" > /dev/null

# Wall time (real) and CPU time (user + sys) of one command, as "real cpu".
timed() {
  local TIMEFORMAT='%R %U %S'
  { time "$@" > /dev/null; } 2>&1 | awk '{ printf "%s %.3f", $1, $2 + $3 }'
}
read -r q_real q_cpu <<< "$(timed "$quarvel" info "$file")"
read -r w_real w_cpu <<< "$(timed wc -l "$file")"

awk -v b="$bytes" -v qr="$q_real" -v qc="$q_cpu" -v wr="$w_real" -v wc="$w_cpu" 'BEGIN {
  mb = b / 1e6
  printf "file: %.1f MB\n", mb
  printf "quarvel info: %.3f s wall (%.1f MB/s), %.3f s cpu (%.1f MB/s)\n", qr, mb / qr, qc, mb / qc
  printf "wc -l:        %.3f s wall (%.1f MB/s), %.3f s cpu\n", wr, mb / wr, wc
  printf "ratio quarvel info / wc -l: %.1f (wall)\n", qr / wr
}'
"$quarvel" info "$file" | sed 's/^/  /'
