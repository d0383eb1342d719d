#!/usr/bin/env bash
# Gridding benchmark at matched accuracy: `quarvel grid` (both solvers)
# against `gmt surface` (tension 0) on the same data and the same nodes, in
# one run. For the smooth and survey-line sets each quarvel solver runs down
# a ladder of precisions until its RMS error is no worse than gmt's (inner
# RMS on both sets, overall RMS on the smooth set, overall within 1.2x on
# the survey lines, whose border estimates differ); the first such row is
# printed, or the tightest tried, marked "no". The fault set runs at the
# default precision: gmt has no barriers, so its error there is not the bar.
#
#   bench/grid_bench.sh [QUARVEL_BINARY] [DATA_DIR]
#
# QUARVEL_BEFORE=binary adds rows of an older quarvel (sweeps only, at the
# precision the current sweeps needed), for before/after figures.
# GRID_BENCH_THREADS=N runs quarvel with N threads (default 1, as gmt);
# GRID_BENCH_SETS="smooth tracks fault" and GRID_BENCH_SOLVERS="sweep fast"
# pick what runs. After the table, the growth from the smallest size to the
# largest (CPU time ratio against node ratio).
# GRID_BENCH_SIZES="18 64 126" picks the sizes (num x of the first level;
# five levels give 259, 995 and 1987 nodes across).
# GRID_BENCH_PAIRS=N (default 3; 0 for none): on the smooth and survey-line
# sets, after the ladder, N more runs of gmt and of the fast solver at its
# matched precision, alternating, and a second table of their medians and
# ratio: single runs of the ladder swing with the machine's load.
#
# Data: the x y z tables of DATA_DIR (default ../shared/data/gridding beside
# the repository) are turned into drawings here: the points on the layer
# "f(x,y)\xyz" and, for the fault set, the fault trace as a polyline on
# "f(x,y)\break". A further set of 50,000 points along 50 survey lines is
# generated from the same smooth surface. gmt (Debian package gmt) is needed
# only by this script; without it the quarvel rows use the tightest
# precision of the ladder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
quarvel=${1:-$here/build/quarvel}
data=${2:-$here/../shared/data/gridding}
before=${QUARVEL_BEFORE:-}
sizes=${GRID_BENCH_SIZES:-18 64 126}
threads=${GRID_BENCH_THREADS:-1}
pairs=${GRID_BENCH_PAIRS:-3}
# Finer steps than a decade apart, so that "the loosest precision that
# matches" is not decided by where the steps happen to fall.
ladder=(1e-2 7e-3 5e-3 3e-3 2e-3 1.5e-3 1e-3 7e-4 5e-4 4e-4 3e-4 2.5e-4 2e-4 1.5e-4 1e-4 7e-5 5e-5 3e-5 2e-5 1e-5)
[[ -x $quarvel ]] || { echo "no quarvel binary at $quarvel" >&2; exit 2; }
[[ -r $data/synthetic_smooth_50k.xyz ]] || { echo "no gridding data in $data" >&2; exit 2; }
have_gmt=1
command -v gmt >/dev/null || { have_gmt=0; echo "gmt not installed: its rows are left out" >&2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- the known surfaces, for awk ---------------------------------------------
cat > "$work/surface.awk" <<'AWK'
function f(x, y,   pi) {
  pi = 3.141592653589793
  return 500 + 0.2*x - 0.1*y + 120*sin(2*pi*x/600)*cos(2*pi*y/450) \
         + 80*exp(-((x-350)^2 + (y-650)^2) / (2*90^2)) - 60*exp(-((x-750)^2 + (y-250)^2) / (2*150^2))
}
function g(x, y) { return f(x, y) - (x > 200 + 0.5*y ? 40 : 0) }
AWK
# Reads "x y z" nodes; prints RMS over all, RMS over 50..950 in x and y, max.
cat > "$work/rms.awk" <<'AWK'
{ t = fault ? g($1, $2) : f($1, $2); e = $3 - t; s += e*e; n++
  if (e < 0) e = -e; if (e > mx) mx = e
  if ($1 >= 50 && $1 <= 950 && $2 >= 50 && $2 <= 950) { si += e*e; ni++ } }
END { if (n) printf "%.4f %.4f %.2f\n", sqrt(s/n), sqrt(si/ni), mx }
AWK

# --- drawings ------------------------------------------------------------------
to_drawing() {   # xyz table -> points on f(x,y)\xyz
  printf 'Layer M f(x,y)\\xyz\nXYZ\n'
  awk 'NF >= 3 { printf "%s,%s,%s\n", $1, $2, $3 }' "$1"
  printf '\n'
}
to_drawing "$data/synthetic_smooth_50k.xyz" > "$work/smooth.qvd"
{ to_drawing "$data/synthetic_fault_2k.xyz"
  printf 'Layer M f(x,y)\\break\nPLINE\n'
  awk 'NF >= 2 { printf "%s,%s\n", $1, $2 }' "$data/synthetic_fault_2k_fault.xy"
  printf '\n'; } > "$work/fault.qvd"
# 50 north-south survey lines 20 apart, 1000 points each, z = f.
cat > "$work/tracks.awk" <<'AWK'
BEGIN { srand(5150)
  for (k = 0; k < 50; k++) for (i = 0; i < 1000; i++) {
    x = 10 + 20*k + 2*(rand() - 0.5); y = i + rand()
    printf "%.3f\t%.3f\t%.4f\n", x, y, f(x, y) } }
AWK
awk -f "$work/surface.awk" -f "$work/tracks.awk" > "$work/tracks.xyz"
to_drawing "$work/tracks.xyz" > "$work/tracks.qvd"

# --- one timed run ---------------------------------------------------------------
timed() {   # timed LOG command... ; leaves "wall_s cpu_s rss_mib" in $timing
  /usr/bin/time -v "${@:2}" 2> "$1" >/dev/null || { cat "$1" >&2; return 1; }
  timing=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0
                                                  for (i = 1; i <= n; i++) s = s*60 + p[i]; w = s }
                       /User time/ { c += $2 } /System time/ { c += $2 }
                       /Maximum resident set size/ { r = $2/1024 }
                       END { printf "%.2f %.2f %.0f", w, c, r }' "$1")
}

echo "# $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
printf '| data | nodes | program | solver | precision | threads | wall s | cpu s | RSS MiB | sweeps | RMS all | RMS inner | max abs | matched |\n'
printf '| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |\n'

# quarvel_run BINARY NAME DRAWING FAULT NUMX PRECISION [options...]: leaves
# "wall cpu rss" in q_timing, "nx ny sweeps" in q_size, RMS in q_errors.
quarvel_run() {
  local bin=$1 name=$2 drawing=$3 fault=$4 numx=$5 pre=$6; shift 6
  local net="$work/q.net"
  timed "$work/q.log" "$bin" grid --box 0,0,1000,1000 --num-x "$numx" --times 5 --precision "$pre" "$@" \
    "$drawing" -o "$net"
  q_timing=$timing
  q_size=$(sed -n 's/^wrote .*: \([0-9]*\) X \([0-9]*\) nodes, \([0-9]*\) sweeps.*/\1 \2 \3/p' "$work/q.log")
  q_errors=$("$quarvel" net-xyz "$net" | awk -v fault="$fault" -f "$work/surface.awk" -f "$work/rms.awk")
}

# matched ERRORS: yes when no worse than gmt's ($g_errors) by the rule above.
matched() {
  [[ $have_gmt == 1 ]] || { echo "n/a"; return; }
  awk -v q="$1" -v g="$g_errors" -v set="$set" 'BEGIN { split(q, a, " "); split(g, b, " ")
    slack = set == "tracks" ? 1.2 : 1.0
    print (a[2] <= b[2] && a[1] <= slack * b[1]) ? "yes" : "no" }'
}

row() {   # row PROGRAM SOLVER PRECISION THREADS TIMING SIZE ERRORS MATCHED
  local t=($5) z=($6)
  # For the growth table: set, program, solver, nodes, cpu seconds.
  printf '%s\t%s\t%s\t%s\t%s\n' "$label" "$1" "$2" "$((z[0] * z[1]))" "${t[1]}" >> "$work/growth"
  printf '| %s | %sx%s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$label" "${z[0]}" "${z[1]}" \
    "$1" "$2" "$3" "$4" "${t[0]}" "${t[1]}" "${t[2]}" "${z[2]}" $7 "$8"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# paired DRAWING NUMX PRECISION TABLE REGION INC NODES: gmt and the fast
# solver by turns, $pairs times each; a row of their medians in $work/pairs.
paired() {
  local i q_cpu=() g_cpu=() q_rss=() g_rss=()
  for ((i = 0; i < pairs; i++)); do
    timed "$work/g.log" gmt surface "$4" -R"$5" -I"$6" -T0 -G"$work/g.nc"
    read -r _ c r <<< "$timing"; g_cpu+=("$c"); g_rss+=("$r")
    timed "$work/q.log" "$quarvel" grid --box 0,0,1000,1000 --num-x "$2" --times 5 --precision "$3" \
      --solver fast --threads "$threads" "$1" -o "$work/q.net"
    read -r _ c r <<< "$timing"; q_cpu+=("$c"); q_rss+=("$r")
  done
  local qc gc qr gr
  qc=$(printf '%s\n' "${q_cpu[@]}" | median); gc=$(printf '%s\n' "${g_cpu[@]}" | median)
  qr=$(printf '%s\n' "${q_rss[@]}" | median); gr=$(printf '%s\n' "${g_rss[@]}" | median)
  awk -v l="$label" -v n="$7" -v p="$3" -v qc="$qc" -v gc="$gc" -v qr="$qr" -v gr="$gr" 'BEGIN {
    printf "| %s | %sx%s | %s | %.2f | %.2f | %.2f | %.0f | %.0f |\n", l, n, n, p, qc, gc, (gc > 0 ? qc / gc : 0), qr, gr }' \
    >> "$work/pairs"
}

# bench SET NUMX: gmt, then each solver down the ladder, then the old binary.
bench() {
  set=$1
  local numx=$2 table drawing fault=0
  case $set in
    smooth) label="smooth 50k"; table=$data/synthetic_smooth_50k.xyz ;;
    fault) label="fault 2k"; table=$data/synthetic_fault_2k.xyz; fault=1 ;;
    tracks) label="survey lines 50k"; table=$work/tracks.xyz ;;
  esac
  drawing=$work/$set.qvd
  # The same nodes as quarvel's last level: origin half a step before the
  # box, trunc(1000 / step + 3) nodes across, in the same arithmetic.
  local n
  n=$(awk -v numx="$numx" 'BEGIN { d = 1000 / (numx - 2) / 16; printf "%d", int(1000 / d + 3) }')
  g_errors="n/a n/a n/a"
  if [[ $have_gmt == 1 ]]; then
    local region inc
    read -r region inc < <(awk -v numx="$numx" -v n="$n" 'BEGIN {
        d = 1000 / (numx - 2) / 16; x0 = -d/2
        printf "%.10f/%.10f/%.10f/%.10f %.10f\n", x0, x0 + (n-1)*d, x0, x0 + (n-1)*d, d }')
    timed "$work/g.log" gmt surface "$table" -R"$region" -I"$inc" -T0 -G"$work/g.nc" -V
    local g_sweeps
    g_sweeps=$(awk -F'\t' '/^surface \[INFORMATION\]: +[0-9]+\t[A-Z]+\t/ { s = $NF + 0 } END { print s }' "$work/g.log")
    g_errors=$(gmt grd2xyz "$work/g.nc" | awk -v fault="$fault" -f "$work/surface.awk" -f "$work/rms.awk")
    row "gmt surface -T0" "-" "default" 1 "$timing" "$n $n ${g_sweeps:-?}" "$g_errors" "-"
  fi
  local solver pre sweep_pre=""
  for solver in ${GRID_BENCH_SOLVERS:-sweep fast}; do
    if [[ $set == fault ]]; then
      local range
      range=$(awk 'NR == 1 { lo = hi = $3 } { if ($3 < lo) lo = $3; if ($3 > hi) hi = $3 } END { print (hi - lo) / 1000 }' "$table")
      quarvel_run "$quarvel" "$set" "$drawing" "$fault" "$numx" "$range" --solver "$solver" --threads "$threads"
      row quarvel "$solver" "$range (default)" "$threads" "$q_timing" "$q_size" "$q_errors" "-"
      sweep_pre=$range
      continue
    fi
    for pre in "${ladder[@]}"; do
      quarvel_run "$quarvel" "$set" "$drawing" "$fault" "$numx" "$pre" --solver "$solver" --threads "$threads"
      [[ $(matched "$q_errors") == no && $pre != "${ladder[-1]}" ]] || break
    done
    row quarvel "$solver" "$pre" "$threads" "$q_timing" "$q_size" "$q_errors" "$(matched "$q_errors")"
    [[ $solver == sweep ]] && sweep_pre=$pre
    [[ $solver == fast && $have_gmt == 1 && $pairs -gt 0 ]] && paired "$drawing" "$numx" "$pre" "$table" "$region" "$inc" "$n"
  done
  if [[ -n $before ]]; then
    quarvel_run "$before" "$set" "$drawing" "$fault" "$numx" "$sweep_pre"
    row "quarvel before" sweep "$sweep_pre" 1 "$q_timing" "$q_size" "$q_errors" \
      "$([[ $set == fault ]] && echo - || matched "$q_errors")"
  fi
}

for numx in $sizes; do
  for set in ${GRID_BENCH_SETS:-smooth tracks fault}; do bench $set "$numx"; done
done

if [[ -s $work/pairs ]]; then
  printf '\nPaired runs, medians of %s (cpu s, RSS MiB), fast solver at its matched precision:\n' "$pairs"
  printf '| data | nodes | precision | quarvel cpu s | gmt cpu s | ratio | quarvel RSS | gmt RSS |\n'
  printf '| --- | --- | --- | --- | --- | --- | --- | --- |\n'
  cat "$work/pairs"
fi

# Growth from the smallest size run to the largest: CPU time ratio against
# the node ratio (about 3.99 from 995 to 1987 nodes across); a ratio below
# the node ratio means the time grows more slowly than the grid.
if [[ -s $work/growth ]]; then
  printf '\n| data | program | solver | nodes | cpu s | time ratio | node ratio |\n| --- | --- | --- | --- | --- | --- | --- |\n'
  awk -F'\t' '{ k = $1 FS $2 FS $3; if (!(k in lo)) { order[++n] = k; lo[k] = $4; lc[k] = $5 } hi[k] = $4; hc[k] = $5 }
    END { for (i = 1; i <= n; i++) { k = order[i]; split(k, p, FS); if (hi[k] == lo[k]) continue
            printf "| %s | %s | %s | %s -> %s | %s -> %s | %.2f | %.2f |\n", p[1], p[2], p[3], lo[k], hi[k], lc[k], hc[k],
                   (lc[k] > 0 ? hc[k] / lc[k] : 0), hi[k] / lo[k] } }' "$work/growth"
fi
