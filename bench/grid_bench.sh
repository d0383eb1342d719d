#!/usr/bin/env bash
# Gridding benchmark: `quarvel grid` against `gmt surface` (tension 0) on the
# same data and the same nodes, in one run. Prints one table row per run:
# wall time and peak RSS (from /usr/bin/time -v), and both grids' RMS and
# largest error against the known surface.
#
#   bench/grid_bench.sh [QUARVEL_BINARY] [DATA_DIR]
#
# Data: the x y z tables of DATA_DIR (default ../shared/data/gridding beside
# the repository) are turned into drawings here: the points on the layer
# "f(x,y)\xyz" and, for the fault set, the fault trace as a polyline on
# "f(x,y)\break". A further set of 50,000 points along 50 survey lines is
# generated from the same smooth surface. gmt (Debian package gmt) is needed
# only by this script; when it is missing its rows are left out.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
quarvel=${1:-$here/build/quarvel}
data=${2:-$here/../shared/data/gridding}
[[ -x $quarvel ]] || { echo "no quarvel binary at $quarvel" >&2; exit 2; }
[[ -r $data/synthetic_smooth_50k.xyz ]] || { echo "no gridding data in $data" >&2; exit 2; }
have_gmt=1
command -v gmt >/dev/null || { have_gmt=0; echo "gmt not installed: its rows are left out" >&2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- the known surfaces, for awk ---------------------------------------------
cat > "$work/surface.awk" <<'EOF'
function f(x, y,   pi) {
  pi = 3.141592653589793
  return 500 + 0.2*x - 0.1*y + 120*sin(2*pi*x/600)*cos(2*pi*y/450) \
         + 80*exp(-((x-350)^2 + (y-650)^2) / (2*90^2)) - 60*exp(-((x-750)^2 + (y-250)^2) / (2*150^2))
}
function g(x, y) { return f(x, y) - (x > 200 + 0.5*y ? 40 : 0) }
EOF
# Reads "x y z" nodes; prints RMS over all, RMS over 50..950 in x and y, max.
cat > "$work/rms.awk" <<'EOF'
{ t = fault ? g($1, $2) : f($1, $2); e = $3 - t; s += e*e; n++
  if (e < 0) e = -e; if (e > mx) mx = e
  if ($1 >= 50 && $1 <= 950 && $2 >= 50 && $2 <= 950) { si += e*e; ni++ } }
END { if (n) printf "%.3f %.3f %.2f\n", sqrt(s/n), sqrt(si/ni), mx }
EOF

# --- drawings ------------------------------------------------------------------
to_drawing() {   # xyz table -> points on f(x,y)\xyz
  printf 'Layer M f(x,y)\\xyz\nXYZ\n'
  awk 'NF >= 3 { printf "%s,%s,%s\n", $1, $2, $3 }' "$1"
  printf '\n'
}
to_drawing "$data/davis_table_5_11.xyz" > "$work/davis.qvd"
to_drawing "$data/synthetic_smooth_50k.xyz" > "$work/smooth.qvd"
{ to_drawing "$data/synthetic_fault_2k.xyz"
  printf 'Layer M f(x,y)\\break\nPLINE\n'
  awk 'NF >= 2 { printf "%s,%s\n", $1, $2 }' "$data/synthetic_fault_2k_fault.xy"
  printf '\n'; } > "$work/fault.qvd"
# 50 north-south survey lines 20 apart, 1000 points each, z = f.
cat > "$work/tracks.awk" <<'EOF'
BEGIN { srand(5150)
  for (k = 0; k < 50; k++) for (i = 0; i < 1000; i++) {
    x = 10 + 20*k + 2*(rand() - 0.5); y = i + rand()
    printf "%.3f\t%.3f\t%.4f\n", x, y, f(x, y) } }
EOF
awk -f "$work/surface.awk" -f "$work/tracks.awk" > "$work/tracks.xyz"
to_drawing "$work/tracks.xyz" > "$work/tracks.qvd"

# --- one timed run ---------------------------------------------------------------
timed() {   # timed LOG command... ; leaves "wall_s rss_mib" in $timing
  /usr/bin/time -v "${@:2}" 2> "$1" >/dev/null || { cat "$1" >&2; return 1; }
  timing=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0
                                                  for (i = 1; i <= n; i++) s = s*60 + p[i]; w = s }
                       /Maximum resident set size/ { r = $2/1024 }
                       END { printf "%.2f %.0f", w, r }' "$1")
}

printf '| data | nodes | program | wall s | peak RSS MiB | sweeps | RMS all | RMS inner | max abs |\n'
printf '| --- | --- | --- | --- | --- | --- | --- | --- | --- |\n'

# run NAME DRAWING TABLE FAULT BOX(xmin,ymin,xmax,ymax) NUMX [quarvel options...]
run() {
  local name=$1 drawing=$2 table=$3 fault=$4 box=$5 numx=$6; shift 6
  local times=5 net="$work/$name.net"
  timed "$work/q.log" "$quarvel" grid --box "$box" --num-x "$numx" --times "$times" "$@" "$drawing" -o "$net"
  local q_timing=$timing
  read -r nx ny sweeps < <(sed -n 's/^wrote .*: \([0-9]*\) X \([0-9]*\) nodes, \([0-9]*\) sweeps.*/\1 \2 \3/p' "$work/q.log")
  local errors="n/a n/a n/a"
  if [[ $fault != none ]]; then
    errors=$("$quarvel" net-xyz "$net" | awk -v fault="$fault" -f "$work/surface.awk" -f "$work/rms.awk")
  fi
  local label="quarvel${*:+ $*}"
  printf '| %s | %dx%d | %s | %s | %s | %s | %s | %s | %s |\n' "$name" "$nx" "$ny" "$label" $q_timing "$sweeps" $errors

  [[ $have_gmt == 1 && $# == 0 ]] || return 0
  # The same nodes: origin half a final step before the box, nx by ny.
  local region inc
  read -r region inc < <(awk -v box="$box" -v numx="$numx" -v times="$times" -v nx="$nx" -v ny="$ny" 'BEGIN {
      split(box, b, ","); d = (b[3] - b[1]) / (numx - 2) / 2^(times - 1)
      x0 = b[1] - d/2; y0 = b[2] - d/2
      printf "%.10f/%.10f/%.10f/%.10f %.10f\n", x0, x0 + (nx-1)*d, y0, y0 + (ny-1)*d, d }')
  timed "$work/g.log" gmt surface "$table" -R"$region" -I"$inc" -T0 -G"$work/$name.nc" -V
  local g_timing=$timing
  local g_sweeps
  # "Total Iterations", the last field of the last iteration line.
  g_sweeps=$(awk -F'\t' '/^surface \[INFORMATION\]: +[0-9]+\t[A-Z]+\t/ { n = $NF + 0 } END { print n }' "$work/g.log")
  errors="n/a n/a n/a"
  if [[ $fault != none ]]; then
    errors=$(gmt grd2xyz "$work/$name.nc" | awk -v fault="$fault" -f "$work/surface.awk" -f "$work/rms.awk")
  fi
  printf '| %s | %dx%d | gmt surface -T0 | %s | %s | %s | %s | %s | %s |\n' "$name" "$nx" "$ny" $g_timing "${g_sweeps:-?}" $errors
}

for numx in 14 33 64; do
  run "smooth 50k" "$work/smooth.qvd" "$data/synthetic_smooth_50k.xyz" 0 0,0,1000,1000 $numx
  run "fault 2k" "$work/fault.qvd" "$data/synthetic_fault_2k.xyz" 1 0,0,1000,1000 $numx
  run "tracks 50k" "$work/tracks.qvd" "$work/tracks.xyz" 0 0,0,1000,1000 $numx
  run "Davis 52" "$work/davis.qvd" "$data/davis_table_5_11.xyz" none 0,0,7,7 $numx
done
# A tighter precision than the default (0.001 of the z range) on the largest grid.
run "smooth 50k" "$work/smooth.qvd" "$data/synthetic_smooth_50k.xyz" 0 0,0,1000,1000 64 --precision 0.01
run "fault 2k" "$work/fault.qvd" "$data/synthetic_fault_2k.xyz" 1 0,0,1000,1000 64 --precision 0.01
run "tracks 50k" "$work/tracks.qvd" "$work/tracks.xyz" 0 0,0,1000,1000 64 --precision 0.01
