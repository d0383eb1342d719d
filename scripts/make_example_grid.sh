#!/usr/bin/env bash
# Remakes examples/depth.grd, the depth grid under the bundled map, from the
# map's own x, y, z values and faults with the project's gridding:
#   quarvel grid  ->  net file  ->  quarvel net-grid3d  ->  GRID3D grid file.
# Also writes the net file's picture with contours when an output is named.
# Usage: scripts/make_example_grid.sh [BUILD_DIR] [PICTURE.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
picture=${2:-}
work=$(mktemp -d /tmp/quarvel_example.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The map keeps its faults on its own layer "faults" (view-only, drawn with
# their line style); the gridding takes them from there.
# The map's frame is 10 x 8 km: three levels from 400 m down to 100 m nodes.
"$build/quarvel" grid --box 0,0,10000,8000 --num-x 27 --times 3 --faults faults examples/map.qvd \
  -o "$work/depth.net"
"$build/quarvel" net-grid3d "$work/depth.net" -o examples/depth.grd
if [ -n "$picture" ]; then
  "$build/quarvel" net-render "$work/depth.net" -o "$picture" --contours 50
fi
echo "wrote examples/depth.grd"
