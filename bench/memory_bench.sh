#!/usr/bin/env bash
# Memory benchmark: degenerate drawings, each the smallest element of one
# kind repeated to about 20 MB, read by "quarvel info". Prints, per kind and
# build, the peak RSS growth over reading a tiny drawing, and that growth per
# input byte (the goal is under 10). Runs are repeated and the median kept.
# Usage: bench/memory_bench.sh [BUILD_DIR...] [-s MEGABYTES] [-r ROUNDS] [-k DIR]
#   -k DIR keeps the generated drawings in DIR (reused when they exist).
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=20
rounds=3
keep=""
source bench/bench_options.sh
bench_options "$@"
if [ -n "$keep" ]; then
  dir=$keep
  mkdir -p "$dir"
else
  dir=$(mktemp -d /tmp/quarvel_memory_bench.XXXXXX)
  trap 'rm -rf "$dir"' EXIT
fi

# Each kind's n-th element, in the form issue reports used: an x, y, z list
# of one point, a one-line text, an embellishment block before each
# polyline (empty, as reported, and with one item) and a layer per line.
kinds=(xyz text embellish embellish-item layer)
element() {
  case "$1" in
    xyz) echo 's = "XYZ\n1,2,3\n\n"' ;;
    text) echo 's = "Text 1,2 3 1 T\n"' ;;
    embellish) echo 's = "CurveEmbellish\nend\nPline\n0,0\n1,1\n\n"' ;;
    embellish-item) echo 's = sprintf("Embellish\nProperties 0.5 %d N 0\nSolid\n\nPline\n0,0\n%d,1\n\n", n % 255, n % 10 + 1)' ;;
    layer) echo 's = sprintf("Layer M %x\n", n)' ;;
  esac
}
target=$((megabytes * 1000000))
for k in "${kinds[@]}"; do
  f="$dir/$k.qvd"
  [ -s "$f" ] || awk -v target="$target" "BEGIN { for (n = 0; size < target; n++) { $(element "$k"); printf \"%s\", s; size += length(s) } }" > "$f"
done
tiny="$dir/tiny.qvd"
printf 'PLINE\n0,0\n1,1\n\n' > "$tiny"

rss() { /usr/bin/time -f %M -o "$dir/rss" "$1/quarvel" info "$2" > /dev/null && tail -n 1 "$dir/rss"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '%-15s %-22s %9s %12s %12s %8s\n' kind build "MB" "peak kB" "growth kB" ratio
for k in "${kinds[@]}"; do
  f="$dir/$k.qvd"
  bytes=$(stat -c %s "$f")
  for b in "${builds[@]}"; do
    base=$(for ((r = 0; r < rounds; r++)); do rss "$b" "$tiny"; done | median)
    peak=$(for ((r = 0; r < rounds; r++)); do rss "$b" "$f"; done | median)
    awk -v k="$k" -v b="$b" -v bytes="$bytes" -v peak="$peak" -v base="$base" 'BEGIN {
      printf "%-15s %-22s %9.1f %12d %12d %8.2f\n", k, b, bytes / 1e6, peak, peak - base, (peak - base) * 1024 / bytes }'
  done
done
