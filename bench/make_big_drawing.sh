#!/usr/bin/env bash
# Writes a large text drawing for the editor benchmarks: 2000 wobbly rings of
# 500 vertices (a million in all) in map coordinates over 10 km, like
# contours, and one x, y, z list of 200,000 points; about 45 MB.
# Usage: bench/make_big_drawing.sh OUTPUT
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUTPUT" >&2; exit 2; }
awk 'BEGIN {
  srand(4242); pi = 3.14159265358979; x0 = 500000; y0 = 6700000
  for (c = 0; c < 2000; c++) {
    printf "COLOR %d\nPLINE\n", -((c * 37) % 256 + 256 * ((c * 91) % 256))
    radius = 10000 * 0.48 * (c + 1) / 2000; r = radius
    for (i = 0; i < 500; i++) {
      a = 2 * pi * i / 499; r += radius * (rand() * 0.008 - 0.004)
      printf "%.9f,%.9f\n", x0 + 5000 + r * cos(a), y0 + 5000 + r * sin(a) * 0.8
    }
    printf "\n"
  }
  printf "TEXTP\nMark 1 1 0 none\n\nXYZ\n"
  for (i = 0; i < 200000; i++)
    printf "%.6f,%.6f,%.6f\n", x0 + rand() * 10000, y0 + rand() * 10000, rand() * 1000
  printf "\n"
}' > "$1"
