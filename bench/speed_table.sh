#!/usr/bin/env bash
# Every speed figure of the README's Benchmarks section in one run, one
# benchmark after the other on the same machine, so that they share its
# state: reading, SEG-Y headers, pictures, the editor (offscreen and, when
# xvfb-run is installed, under a real X server) and gridding. Prints each
# benchmark's summary lines as it goes and keeps their whole output in
# LOG_DIR (default: a new directory under /tmp).
#
#   bench/speed_table.sh [BUILD_DIR] [LOG_DIR]
#
# BUILD_DIR needs the benchmarks (-DQUARVEL_BENCH=ON). The SEG-Y and
# gridding comparisons need python3-segyio and gmt, and gridding needs the
# data in ../shared/data/gridding; a part whose needs are missing is skipped
# with the reason printed. SPEED_TABLE_PARTS="read segy render editor grid"
# picks the parts.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
logs=${2:-$(mktemp -d /tmp/quarvel-speed.XXXXXX)}
parts=${SPEED_TABLE_PARTS:-read segy render editor grid}
mkdir -p "$logs"
[ -x "$build/quarvel" ] || { echo "no $build/quarvel: build first" >&2; exit 1; }

echo "# $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg), commit $(git rev-parse --short HEAD 2>/dev/null || echo unknown)"
echo "# whole outputs in $logs"

# Runs one benchmark into LOG_DIR/NAME.log and prints the lines matching
# PATTERN (all lines when it is empty); a failed run is said, not hidden.
part() {
  local name=$1 pattern=$2
  shift 2
  echo
  echo "## $name"
  if "$@" > "$logs/$name.log" 2>&1; then
    if [ -n "$pattern" ]; then grep -E "$pattern" "$logs/$name.log"; else cat "$logs/$name.log"; fi
  else
    echo "FAILED (exit $?): $*; see $logs/$name.log"
    tail -5 "$logs/$name.log"
  fi
}

skip() { echo; echo "## $1"; echo "skipped: $2"; }

wants() { [[ " $parts " == *" $1 "* ]]; }

if wants read; then
  part reading 'reference reader|quarvel info:|against the reference' bench/read_bench.sh -r 5 "$build"
fi

if wants segy; then
  if /usr/bin/python3 -c 'import segyio' 2>/dev/null; then
    part segy '' bench/segy_bench.sh "$build"
  else
    skip segy "python3-segyio is not installed"
  fi
fi

if wants render; then
  if [ -x "$build/bench/render_bench" ]; then
    part render '' "$build/bench/render_bench"
  else
    skip render "no $build/bench/render_bench (configure with -DQUARVEL_BENCH=ON)"
  fi
fi

if wants editor; then
  if [ -x "$build/bench/editor_bench" ]; then
    drawing=$logs/big.qvd
    [ -s "$drawing" ] || bench/make_big_drawing.sh "$drawing"
    editor_lines='^reading|^first paint|open to first paint|quarvel info|^pan|^wheel|^pick|^rectangle delete|^undo'
    part editor-offscreen "$editor_lines" env QT_QPA_PLATFORM=offscreen "$build/bench/editor_bench" "$drawing" 60 "$build/quarvel"
    if command -v xvfb-run > /dev/null; then
      part editor-xcb "$editor_lines" env QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 2400x1800x24' \
        "$build/bench/editor_bench" "$drawing" 60 "$build/quarvel"
    else
      skip editor-xcb "xvfb-run is not installed"
    fi
    rm -f "$drawing"
  else
    skip editor "no $build/bench/editor_bench (configure with -DQUARVEL_BENCH=ON)"
  fi
fi

if wants grid; then
  if [ ! -r ../shared/data/gridding/synthetic_smooth_50k.xyz ]; then
    skip gridding "no data in ../shared/data/gridding"
  elif ! command -v gmt > /dev/null; then
    skip gridding "gmt is not installed"
  else
    part gridding '' bench/grid_bench.sh "$build/quarvel"
  fi
fi
