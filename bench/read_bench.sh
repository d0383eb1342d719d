#!/usr/bin/env bash
# Reading benchmark: generates a drawing of about 100 MB (polylines, labelled
# points and x, y, z lists) and prints, for each build given, the reading
# throughput of "quarvel info" in MB/s, its wall time relative to "wc -l" on
# the same file (how far reading is from just scanning the bytes), its
# peak memory relative to the file, and its time and peak memory relative to
# a bare reader of the same numbers (bench/reference_reader.cpp: from_chars,
# 1 MiB blocks, one vector). Several builds are run in turn, round after
# round, and medians reported, so that they share the machine's load.
# Usage: bench/read_bench.sh [BUILD_DIR...] [-s MEGABYTES] [-r ROUNDS] [-k FILE] [-i]
#   -k FILE keeps the drawing at FILE (reused when it exists).
#   -i also counts instructions under callgrind (slow; steady on a busy machine).
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=100
rounds=5
keep=""
instructions=0
source bench/bench_options.sh
bench_options "$@"
if [ -n "$keep" ]; then
  file=$keep
else
  file=$(mktemp /tmp/quarvel_read_bench.XXXXXX.qvd)
  trap 'rm -f "$file"' EXIT
fi

# Blocks of one polyline (120 vertices), 20 points and an x, y, z list of 300
# values, repeated until the size is reached. A fixed seed keeps runs alike.
if [ ! -s "$file" ]; then
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
fi
bytes=$(stat -c %s "$file")
# The reference reader: a bench build's, else built here with -O2.
reference="${builds[0]}/bench/reference_reader"
if [ ! -x "$reference" ]; then
  reference_dir=$(mktemp -d /tmp/quarvel_reference.XXXXXX)
  reference="$reference_dir/reference_reader"
  "${CXX:-c++}" -O2 -std=c++20 bench/reference_reader.cpp -o "$reference"
fi
# Warm the page cache so both programs read from memory.
cat "$file" > /dev/null

# Wall time and CPU time (user + sys) in seconds, with microsecond
# resolution, and peak RSS in kB of one command (bench/timed_run.py; with
# --no-rss no RSS, and no /usr/bin/time in the times).
timed() { python3 bench/timed_run.py "$@"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

results=$(mktemp)
trap 'rm -f "$results"; [ -n "$keep" ] || rm -f "$file"; [ -z "${reference_dir:-}" ] || rm -rf "$reference_dir"' EXIT
for ((r = 0; r < rounds; r++)); do
  # wc -l takes a few milliseconds: the median of three runs steadies it.
  read -r w_real w_cpu w_rss <<< "$(timed -n 3 --no-rss wc -l "$file")"
  echo "wc $w_real $w_cpu $w_rss" >> "$results"
  read -r r_real r_cpu r_rss <<< "$(timed "$reference" "$file")"
  echo "reference $r_real $r_cpu $r_rss" >> "$results"
  for b in "${builds[@]}"; do
    read -r q_real q_cpu q_rss <<< "$(timed "$b/quarvel" info "$file")"
    echo "$b $q_real $q_cpu $q_rss $w_real $w_cpu $r_real $r_cpu $r_rss" >> "$results"
  done
done

mb=$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }')
echo "file: $mb MB, $rounds rounds, medians"
w_med=$(awk '$1 == "wc" { print $2 }' "$results" | median)
w_cpu=$(awk '$1 == "wc" { print $3 }' "$results" | median)
printf 'wc -l: %.4f s wall, %.4f s cpu\n' "$w_med" "$w_cpu"
r_med=$(awk '$1 == "reference" { print $2 }' "$results" | median)
r_cpu=$(awk '$1 == "reference" { print $3 }' "$results" | median)
r_rss=$(awk '$1 == "reference" { print $4 }' "$results" | median)
printf 'reference reader: %.3f s wall, %.3f s cpu, peak RSS %.1f MB\n' "$r_med" "$r_cpu" "$(awk -v r="$r_rss" 'BEGIN { print r / 1024 }')"
for b in "${builds[@]}"; do
  real=$(awk -v b="$b" '$1 == b { print $2 }' "$results" | median)
  cpu=$(awk -v b="$b" '$1 == b { print $3 }' "$results" | median)
  rss=$(awk -v b="$b" '$1 == b { print $4 }' "$results" | median)
  # Each run against the wc -l of its own round, so both share its load.
  ratio=$(awk -v b="$b" '$1 == b { print $2 / $5 }' "$results" | median)
  cpu_ratio=$(awk -v b="$b" '$1 == b { print $3 / $6 }' "$results" | median)
  # And against the reference reader of its own round.
  ref_ratio=$(awk -v b="$b" '$1 == b { print $2 / $7 }' "$results" | median)
  ref_cpu=$(awk -v b="$b" '$1 == b { print $3 / $8 }' "$results" | median)
  ref_rss=$(awk -v b="$b" '$1 == b { print $4 / $9 }' "$results" | median)
  awk -v b="$b" -v mb="$mb" -v real="$real" -v cpu="$cpu" -v rss="$rss" -v ratio="$ratio" -v cpu_ratio="$cpu_ratio" -v bytes="$bytes" 'BEGIN {
    printf "%s/quarvel info: %.3f s wall (%.1f MB/s), %.3f s cpu (%.1f MB/s), %.1f x wc -l wall, %.1f x wc -l cpu, peak RSS %.1f MB (%.2f x the file)\n",
      b, real, mb / real, cpu, mb / cpu, ratio, cpu_ratio, rss / 1024, rss * 1024 / bytes
  }'
  printf '  against the reference reader: %.2f x wall, %.2f x cpu, %.2f x peak RSS\n' "$ref_ratio" "$ref_cpu" "$ref_rss"
done
if [ "$instructions" = 1 ]; then
  count() { valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null | awk '/Collected/ { print $NF }'; }
  r_ins=$(count "$reference" "$file")
  printf 'instructions (callgrind): reference reader %.0f\n' "$r_ins"
  for b in "${builds[@]}"; do
    q_ins=$(count "$b/quarvel" info "$file")
    s_ins=$(count "$b/quarvel" --version)
    awk -v b="$b" -v q="$q_ins" -v s="$s_ins" -v r="$r_ins" 'BEGIN {
      printf "  %s/quarvel info: %.0f, %.3f x the reference; of them %.0f (%.1f%%) starting the program (quarvel --version)\n", b, q, q / r, s, 100 * s / q }'
  done
fi
"${builds[0]}/quarvel" info "$file" | sed 's/^/  /'
