#!/usr/bin/env bash
# End-to-end rendering: "quarvel render --size 2000x2000" of a drawing of a
# million polyline vertices (1000 wobbly rings of 1000 vertices, as in
# render_bench) and 200,000 x, y, z points, to PNG. Prints, for each build
# given, the median wall and CPU time over the rounds (builds run in turn,
# round after round, so that they share the machine's load) and the size of
# the picture.
# Usage: bench/render_command.sh [BUILD_DIR...] [-r ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=5
source bench/bench_options.sh
bench_options "$@"
dir=$(mktemp -d /tmp/quarvel_render_bench.XXXXXX)
trap 'rm -rf "$dir"' EXIT
file=$dir/rings.qvd

awk 'BEGIN {
  srand(12345); pi = 3.14159265358979
  for (c = 0; c < 1000; c++) {
    printf "COLOR %d\nPLINE\n", -((c * 37) % 256 + 256 * ((c * 91) % 256))
    radius = 10000 * 0.48 * (c + 1) / 1000; r = radius
    for (i = 0; i < 1000; i++) {
      a = 2 * pi * i / 999; r += radius * (rand() * 0.008 - 0.004)
      printf "%.3f,%.3f\n", 5000 + r * cos(a), 5000 + r * sin(a) * 0.8
    }
    printf "\n"
  }
  printf "TEXTP\nMark 1 1 0 none\n\nXYZ\n"
  for (i = 0; i < 200000; i++) printf "%.1f,%.1f,%.1f%s", rand() * 10000, rand() * 10000, rand() * 100, (i % 8 == 7) ? "\n" : " "
  printf "\n\n"
}' > "$file"
cat "$file" > /dev/null

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
results=$dir/results
for ((r = 0; r < rounds; r++)); do
  for b in "${builds[@]}"; do
    out=$dir/$(basename "$b").png
    t=$(QT_QPA_PLATFORM=offscreen /usr/bin/time -f '%e %U %S' "$b/quarvel" render --size 2000x2000 "$file" -o "$out" 2>&1 | tail -1)
    echo "$b $t $(stat -c %s "$out")" >> "$results"
  done
done
echo "drawing: $(stat -c %s "$file") bytes, $rounds rounds, medians"
for b in "${builds[@]}"; do
  wall=$(awk -v b="$b" '$1 == b { print $2 }' "$results" | median)
  cpu=$(awk -v b="$b" '$1 == b { print $3 + $4 }' "$results" | median)
  size=$(awk -v b="$b" '$1 == b { print $5 }' "$results" | median)
  echo "$b/quarvel render: $wall s wall, $cpu s cpu, PNG of $size bytes"
done
